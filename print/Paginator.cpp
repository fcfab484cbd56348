#include "print/Paginator.h"

#include <cstdio>

#include "common/codepage/SjisWalk.h"
#include "text/TextStore.h"

namespace orvex::print {

Paginator::Paginator(const TextStore& store, PageGeometry geometry, LineBreakRules rules)
    : m_store(store), m_geometry(std::move(geometry)), m_rules(rules) {
    if (m_rules.tabWidth < 1) m_rules.tabWidth = 1;
    if (m_rules.kinsoku && (!m_rules.noLineStart || !m_rules.noLineEnd)) m_rules.kinsoku = false;
    m_starts.push_back(PagePosition{});
    if (m_store.rowCount() == 0) {
        m_starts.push_back(PagePosition{0, 0, true});
        m_complete = true;
    }
}

PagePosition Paginator::nextLine(int32_t lastRow) const {
    const int32_t next = lastRow + 1;
    const int32_t rows = m_store.rowCount();
    if (next >= rows) return {next, 0, true};
    // The empty line after a final line end gets no row of its own.
    if (next == rows - 1 && orvex::endColumn(m_store.row(next)) <= 0) return {next, 0, true};
    return {next, m_store.row(next).offset, false};
}

template <class Sink>
PagePosition Paginator::layoutPage(PagePosition pos, Sink&& sink) const {
    const uint8_t* t = m_store.bytes();
    for (size_t k = 0; k < m_geometry.columns.size(); ++k) {
        const int width = m_geometry.rowColumns(k);
        if (width <= 0) continue;
        for (int slot = 0; slot < m_geometry.linesPerPage; ++slot) {
            if (pos.atEnd) return pos;
            const Row first = m_store.row(pos.row);
            const int32_t lastRow = m_store.lastRowOfLine(pos.row);
            const Row last = m_store.row(lastRow);
            const int32_t contentEnd = last.offset + orvex::endColumn(last);
            const int32_t rowStart = pos.offset;

            // Does the rest of the line fit the row?
            int32_t col = 0;
            int32_t i = rowStart;
            while (i < contentEnd && col <= width) {
                col = sjis::advance(t + i, col, m_rules.tabWidth);
                i += sjis::stepWithin(t + i, contentEnd - i);
            }
            int32_t rowEnd = contentEnd;
            if (col > width) {
                const LineBreak br = findLineBreak(t, rowStart, contentEnd, width, 0, true, m_rules);
                if (!br.lineEndTaken && br.offset < contentEnd) {
                    // The breaker always takes a character; guard all the same.
                    rowEnd = br.offset > rowStart ? br.offset : rowStart + sjis::stepWithin(t + rowStart, contentEnd - rowStart);
                }
            }
            const bool lineStart = rowStart == first.offset;
            sink(PrintedRow{k, slot, lineStart ? first.line + 1 : 0, rowStart, rowEnd});
            if (rowEnd >= contentEnd)
                pos = nextLine(lastRow);
            else
                pos.offset = rowEnd;
        }
    }
    // A page that holds no text ends the text: nothing else could ever be
    // printed.
    if (m_geometry.holdsNoText()) return {pos.row, pos.offset, true};
    return pos;
}

void Paginator::extendTo(int page) {
    while (!m_complete && int(m_starts.size()) < page) {
        const PagePosition next = layoutPage(m_starts.back(), [](const PrintedRow&) {});
        if (next.atEnd) {
            m_starts.push_back(next);
            m_complete = true;
        } else {
            m_starts.push_back(next);
        }
    }
}

bool Paginator::hasPage(int page) {
    if (page < 1) return false;
    extendTo(page);
    return page <= pagesLaidOut();
}

int Paginator::pageCount() {
    while (!m_complete) extendTo(int(m_starts.size()) + 1);
    return pagesLaidOut();
}

bool Paginator::endsText(int page) {
    if (!hasPage(page)) return false;
    extendTo(page + 1);
    return !hasPage(page + 1);
}

std::vector<PrintedRow> Paginator::rowsOf(int page) {
    std::vector<PrintedRow> rows;
    if (!hasPage(page)) return rows;
    layoutPage(m_starts[size_t(page - 1)], [&](const PrintedRow& r) { rows.push_back(r); });
    return rows;
}

std::string Paginator::expandedRow(int32_t begin, int32_t end) const {
    const uint8_t* t = m_store.bytes();
    std::string out;
    out.reserve(size_t(end - begin));
    int32_t col = 0;
    for (int32_t i = begin; i < end;) {
        const int n = sjis::stepWithin(t + i, end - i);
        const int32_t next = sjis::advance(t + i, col, m_rules.tabWidth);
        if (t[i] == sjis::kTab)
            out.append(size_t(next - col), ' ');
        else
            out.append(reinterpret_cast<const char*>(t + i), size_t(n));
        col = next;
        i += n;
    }
    return out;
}

void Paginator::drawBody(int page, PrintDevice& device) {
    if (!hasPage(page)) return;
    const PageGeometry& g = m_geometry;
    layoutPage(m_starts[size_t(page - 1)], [&](const PrintedRow& r) {
        const PrintColumn& c = g.columns[r.column];
        TextRun run;
        run.font = FontRole::Body;
        run.charGap = g.charGap;
        run.vertical = g.vertical;
        if (g.vertical) {
            run.x = g.body.right - (r.slot + 1) * g.linePitch;
            run.y = c.start;
            run.clip = {g.body.left, c.start, g.body.right, c.start + c.extent};
        } else {
            run.x = c.start;
            run.y = g.body.top + r.slot * g.linePitch;
            run.clip = {c.start, g.body.top, c.start + c.extent, g.body.bottom + 1};
        }
        if (r.lineNumber > 0 && g.gutter > 0) {
            char number[16];
            std::snprintf(number, sizeof number, "%4u ", unsigned(r.lineNumber));
            run.text = number;
            run.charGap = 0;
            device.drawText(run);
            run.charGap = g.charGap;
        }
        if (g.vertical)
            run.y += g.gutter;
        else
            run.x += g.gutter;
        const std::string text = expandedRow(r.begin, r.end);
        if (text.empty()) return;
        run.text = text;
        device.drawText(run);
    });
}

}  // namespace orvex::print
