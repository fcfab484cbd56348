#include "display/RowAttributes.h"

#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "display/HighlightScanner.h"
#include "display/Row.h"
#include "display/RowCharClass.h"

namespace orvex {

namespace {

constexpr int32_t kInsideComment =
    rowflag::kCommentCloses | rowflag::kCommentRunsOn | rowflag::kCommentRunsOnNested | rowflag::kCommentEndsWithLine;

using sjis::isTrailByte;
// A byte that may stand alone in a cell: printable, and not a lead byte
// (which would take the next cell's byte with it).
constexpr bool isPrintableSingle(uint8_t b) { return b >= 0x20 && b != 0x7F && !sjis::awaitsTrail(b); }

// Line-start class 1..4 of the row flags, or 0.
int lineStartClass(int32_t flags) {
    const int32_t bits = (flags & rowflag::kClassMask) >> rowflag::kClassShift;
    for (int k = 1; k <= 4; ++k)
        if (bits & (1 << (k - 1))) return k;
    return 0;
}

}  // namespace

bool RowAttributes::wantsComments(int32_t flags, const ColourTable& colours) {
    return colours.commentsColoured() && (flags & (rowflag::kCommentDelimiter | kInsideComment)) != 0;
}

void RowAttributes::expand(const RenderSetup& setup, const uint8_t* p, int32_t n, int32_t content) {
    // Cells needed: every byte is at most one cell except tabs.
    int32_t tabs = 0;
    for (int32_t i = 0; i < content; ++i) tabs += p[i] == sjis::kTab;
    const int32_t tabWidth = std::max<int32_t>(1, setup.tabWidth);
    const size_t cap = size_t(n) + size_t(tabs) * size_t(tabWidth) + 1;
    if (m_cells.size() < cap) {
        m_cells.resize(cap);
        m_attrs.resize(cap);
        m_kinds.resize(cap);
    }
    if (m_colOf.size() < size_t(n) + 1) m_colOf.resize(size_t(n) + 1);
    m_tabCells.clear();
    m_blankCells.clear();

    char* cells = m_cells.data();
    uint8_t* kinds = m_kinds.data();
    int32_t* colOf = m_colOf.data();
    int32_t col = 0;
    for (int32_t i = 0; i < content;) {
        const uint8_t b = p[i];
        colOf[i] = col;
        if (b == sjis::kTab) {
            const int32_t next = sjis::nextTabStop(col, tabWidth);
            m_tabCells.push_back(col);
            cells[col] = ' ';
            kinds[col] = kSingle;
            for (int32_t c = col + 1; c < next; ++c) {
                cells[c] = ' ';
                kinds[c] = kTabFill;
            }
            col = next;
            ++i;
            continue;
        }
        if (rowchar::length(p + i, content - i) == 2) {
            const uint8_t t = p[i + 1];
            if (isTrailByte(t)) {
                if (b == 0x81 && t == 0x40) m_blankCells.push_back(col);
                cells[col] = char(b);
                cells[col + 1] = char(t);
                kinds[col] = kLead;
                kinds[col + 1] = kTrail;
            } else {
                // Broken text: a lead byte before a byte that cannot follow
                // it still forms one two-column unit; it is shown as "?" and
                // the second byte as itself when it is printable ASCII.
                cells[col] = '?';
                cells[col + 1] = t >= 0x20 && t < 0x7F ? char(t) : '?';
                kinds[col] = kinds[col + 1] = kSingle;
            }
            colOf[i + 1] = col + 1;
            col += 2;
            i += 2;
            continue;
        }
        // A lead byte without its trail byte (broken text) would swallow
        // the next cell when drawn.
        cells[col] = sjis::awaitsTrail(b) ? '?' : char(b);
        kinds[col] = kSingle;
        ++col;
        ++i;
    }
    colOf[content] = col;
    m_contentColumns = col;
    if (m_end != RowEnd::Wrapped) {
        cells[col] = ' ';
        kinds[col] = kSingle;
        ++col;
        colOf[n] = col;
    }
    m_columns = col;
}

void RowAttributes::setCode(int32_t from, int32_t to, uint8_t code) {
    from = std::max<int32_t>(0, from);
    to = std::min(to, m_columns);
    if (from >= to) return;
    if (m_kinds[size_t(from)] == kTrail) --from;
    if (m_kinds[size_t(to - 1)] == kLead && to < m_columns) ++to;
    uint8_t* a = m_attrs.data();
    for (int32_t c = from; c < to; ++c) a[c] = uint8_t((a[c] & attr::kCaretBackground) | code);
}

void RowAttributes::putTabMarks(const RenderOptions& o) {
    if (o.tabDispCode.empty()) return;
    const auto b0 = uint8_t(o.tabDispCode[0]);
    for (const int32_t c : m_tabCells) {
        if (isPrintableSingle(b0)) {
            m_cells[size_t(c)] = char(b0);
        } else if (sjis::pairStepWithin(o.tabDispCode.data(), ptrdiff_t(o.tabDispCode.size())) == 2 &&
                   c + 1 < m_contentColumns && m_kinds[size_t(c + 1)] == kTabFill) {
            // A double-byte mark is shown whole where the tab is two cells wide.
            m_cells[size_t(c)] = char(b0);
            m_cells[size_t(c + 1)] = o.tabDispCode[1];
            m_kinds[size_t(c)] = kLead;
            m_kinds[size_t(c + 1)] = kTrail;
            m_attrs[size_t(c + 1)] = m_attrs[size_t(c)];
        }
    }
}

void RowAttributes::putBlankMarks(const RenderOptions& o) {
    // A mark shorter than two bytes shows as a full-width blank; so does one
    // whose two bytes are neither one double-byte character nor two
    // printable single bytes.
    uint8_t m0 = 0x81, m1 = 0x40;
    bool pair = true;
    if (o.dblSpc.size() >= 2) {
        const auto a = uint8_t(o.dblSpc[0]), b = uint8_t(o.dblSpc[1]);
        if (sjis::pairStepWithin(o.dblSpc.data(), ptrdiff_t(o.dblSpc.size())) == 2) {
            m0 = a;
            m1 = b;
        } else if (isPrintableSingle(a) && isPrintableSingle(b)) {
            m0 = a;
            m1 = b;
            pair = false;
        }
    }
    for (const int32_t c : m_blankCells) {
        m_cells[size_t(c)] = char(m0);
        m_cells[size_t(c + 1)] = char(m1);
        if (!pair) m_kinds[size_t(c)] = m_kinds[size_t(c + 1)] = kSingle;
    }
}

void RowAttributes::applySelection(const SelectionPoints& s, int32_t row, int32_t n, int32_t content) {
    m_boxTailFrom = m_boxTailTo = 0;
    if (!s.coversRow(row)) return;
    if (!s.box) {
        // Inner rows are selected whole, line end included; the first row
        // from the start byte on, the last row up to the end byte (a free
        // cursor beyond the row's end selects up to its end).
        int32_t from = row == s.startRow ? std::clamp(s.startByte, 0, content) : 0;
        int32_t to = row == s.endRow ? std::clamp(s.endByte, 0, content) : n;
        if (from < to) setBytes(from, to, attr::kSelection);
        return;
    }
    // Box: the characters that start inside [left, right); a character
    // (or tab) that starts left of it stays out, one that starts inside and
    // reaches beyond it is taken whole.
    const int32_t right = std::max(s.left, s.right);
    int32_t from = std::clamp(s.left, 0, m_contentColumns);
    int32_t to = std::clamp(right, 0, m_contentColumns);
    while (from < to && (m_kinds[size_t(from)] == kTrail || m_kinds[size_t(from)] == kTabFill)) ++from;
    if (from < to) {
        while (to < m_contentColumns && (m_kinds[size_t(to)] == kTrail || m_kinds[size_t(to)] == kTabFill)) ++to;
        uint8_t* a = m_attrs.data();
        for (int32_t c = from; c < to; ++c) a[c] = uint8_t((a[c] & attr::kCaretBackground) | attr::kSelection);
    }
    // Beyond the text the rectangle goes on over the line-end cell and the
    // background, so that it shows as one rectangle on short rows.
    if (right > m_contentColumns) {
        if (m_columns > m_contentColumns && s.left <= m_contentColumns) {
            uint8_t& c = m_attrs[size_t(m_contentColumns)];
            c = uint8_t((c & attr::kCaretBackground) | attr::kSelection);
        }
        m_boxTailFrom = std::max(s.left, m_columns);
        m_boxTailTo = right;
    }
}

void RowAttributes::build(const RenderSetup& setup, const ViewPaintState& view, const RowSource& src) {
    const ColourTable& colours = *setup.colours;
    const RenderOptions& o = *setup.options;
    const auto* p = reinterpret_cast<const uint8_t*>(src.bytes.data());
    const auto n = int32_t(src.bytes.size());

    // 1. The row's bytes: content, then the line end or the terminator.
    m_end = RowEnd::Wrapped;
    if (n > 0 && (src.flags & rowflag::kSoftWrap) == 0) {
        const uint8_t last = p[n - 1];
        if (last == 0) m_end = RowEnd::EndOfText;
        else if (sjis::isLineEndByte(last)) m_end = RowEnd::LineEnd;
    }
    const int32_t content = m_end == RowEnd::Wrapped ? n : n - 1;
    // 2. Tabs expanded.
    expand(setup, p, n, content);

    // 3. Attributes.
    uint8_t* a = m_attrs.data();
    const bool caretRow = view.caretRow == src.row;
    const SelectionPoints& sel = view.selection;
    m_caretLine = caretRow && !sel.spansRows() && !view.ruledLineDrag && !view.transientScroll &&
                  (colours.caretLineText() || colours.caretLineBackground());
    uint8_t base = 0;
    if (m_caretLine)
        base = uint8_t((colours.caretLineText() ? attr::kCaretLine : 0) |
                       (colours.caretLineBackground() ? attr::kCaretBackground : 0));
    std::fill(a, a + m_columns, base);

    if (setup.keywords && !setup.keywords->empty()) {
        m_keywordHits.clear();
        setup.keywords->scan(p, content, m_keywordHits);
        for (const KeywordHit& h : m_keywordHits) setBytes(h.begin, h.end, h.code);
    }
    if (src.comments && wantsComments(src.flags, colours)) {
        for (const CommentSpan& s : *src.comments) {
            const int32_t b = std::clamp(s.begin, 0, content), e = std::clamp(s.end, 0, content);
            if (b < e) setBytes(b, e, attr::kComment);
        }
    }
    if (const int k = lineStartClass(src.flags); k && colours.classColoured(k)) setCode(0, m_columns, attr::classCode(k));
    if (m_caretLine && !colours.caretLineBackground()) std::fill(a, a + m_columns, attr::kCaretLine);
    if (o.tabDisp) {
        if (o.colorSpChar)
            for (const int32_t c : m_tabCells) setCode(c, c + 1, attr::kMark);
        putTabMarks(o);
    }
    if (o.dspcDisp && !o.dblSpc.empty()) {
        if (o.colorSpChar)
            for (const int32_t c : m_blankCells) setCode(c, c + 2, attr::kMark);
        putBlankMarks(o);
    }
    if (colours.urlsColoured()) {
        m_spans.clear();
        findUrls(p, content, o.urlKanji, m_spans);
        for (const ByteSpan& s : m_spans) setBytes(s.begin, s.end, attr::kUrl);
    }
    if (colours.mailColoured()) {
        m_spans.clear();
        findMailAddresses(p, content, m_spans);
        for (const ByteSpan& s : m_spans) setBytes(s.begin, s.end, attr::kMail);
    }
    if (colours.foundColoured() && !view.highlight.empty()) {
        m_spans.clear();
        findOccurrences(p, content, view.highlight, view.highlightMatchCase, m_spans);
        for (const ByteSpan& s : m_spans) setBytes(s.begin, s.end, attr::kFound);
    }
    applySelection(sel, src.row, n, content);

    // Marks and the caret row.
    m_lineEndMark = o.crDisp && m_end == RowEnd::LineEnd;
    m_lineEndColour = colours.colour(ColourSlot::Cr);
    if (m_lineEndMark && (a[m_contentColumns] & attr::kCodeMask) == attr::kSelection)
        m_lineEndColour = colours.colour(ColourSlot::Window);
    m_eofMark = o.eofDisp && m_end == RowEnd::EndOfText;
    m_eofColour = colours.colour(ColourSlot::Eof);
    m_underline = caretRow && o.underLine && !sel.spansRows() && (view.focused || o.keepUnderLine);
    m_underlineColour = colours.colour(ColourSlot::Line);
    m_fillColour = m_caretLine && colours.caretLineBackground() ? colours.colour(ColourSlot::CurLineBk)
                                                                : colours.colour(ColourSlot::Window);
    m_fillColumns = std::max(m_columns, setup.fillColumns);
}

}  // namespace orvex
