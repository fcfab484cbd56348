// The typing operation: every typed or inserted text goes through here. It
// replaces the selection, applies overwrite mode, fills free-cursor gaps,
// expands TABs, indents after line breaks and breaks lines automatically,
// then changes the text through the edit primitive.
#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "text/CLuView.h"
#include "text/CursorSteps.h"
#include "text/TypedTextBuilder.h"
#include "text/ViewCommandIds.h"

namespace orvex {

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\f'; }

// Characters of text from i up to its first CR or FF that the typing
// produces (dropped control characters do not count).
int32_t charactersBeforeLineEnd(std::string_view text, size_t i, bool takeControls) {
    int32_t count = 0;
    while (i < text.size() && !isLineEnd(text[i])) {
        const uint8_t b = uint8_t(text[i]);
        i += size_t(sjis::stepWithin(text.data() + i, ptrdiff_t(text.size() - i)));
        if (b < 0x20 && b != '\t' && !takeControls) continue;
        ++count;
    }
    return count;
}

}  // namespace

std::string CLuView::autoIndentText() const {
    // The leading blanks and TABs of the cursor's logical line; a cursor
    // inside that indentation takes only what stands before it, so Enter
    // at the start of an indented line does not double its indentation.
    const TextStore& t = m_doc.text();
    const int32_t f = t.firstRowOfLine(m_cursor.row);
    const int32_t start = t.row(f).offset;
    const int32_t limit = m_cursor.row == f ? start + std::min(m_cursor.byteColumn, t.endColumn(f)) : t.size() - 1;
    int32_t i = start;
    while (i < limit && (t.data()[i] == ' ' || t.data()[i] == '\t')) ++i;
    return std::string(t.data() + start, size_t(i - start));
}

bool CLuView::overwriteMovesOnLineEnd() const {
    // In overwrite mode a typed line end moves to the next row instead of
    // breaking the line: always with InsOverCR 0 and 3, with 2 unless the
    // cursor stands on a line end other than at column 0.
    const ViewGlobalOptions g = globalOptions();
    if (g.insOverCR == 1) return false;
    if (g.insOverCR == 2) {
        const TextStore& t = m_doc.text();
        const uint8_t under = t.bytes()[nav::offsetOf(t, m_cursor)];
        return under != sjis::kCr || m_cursor.byteColumn == 0;
    }
    return true;
}

void CLuView::applyTyped(TypedTextBuilder& b, int32_t rowStart, int32_t deleteCount, int groupBits) {
    // The builder may have moved an automatic break back before the cursor:
    // the change starts at its first changed byte.
    const int32_t first = b.firstChanged();
    const int32_t from = rowStart + first;
    const int32_t del = (b.documentBytes() - first) + deleteCount;
    const std::string_view out = std::string_view(b.output()).substr(size_t(first));
    if (out.empty() && del <= 0) return;
    m_cursor = positionAtOffset(from);
    replaceText(out, del, true, editflag::kRecord | groupBits);
}

void CLuView::typeText(std::string_view text, int flags) {
    if (text.empty()) return;
    if (!m_doc.editable()) {
        refreshCaret();
        return;
    }
    const TextStore& t = m_doc.text();
    const ViewGlobalOptions g = globalOptions();
    const ViewModeOptions m = modeOptions();
    int groupBits = 0;
    int32_t deleteCount = 0;
    const bool hadSelection = hasSelection();

    if (hadSelection) {
        if (g.indentByTab && text[0] == '\t' && m_sel.start().row != m_sel.end().row) {
            // TABs typed over a selection of several rows indent its lines.
            size_t tabs = 0;
            while (tabs < text.size() && text[tabs] == '\t') ++tabs;
            indentSelectedLines(int32_t(tabs));
            text.remove_prefix(tabs);
            if (text.empty()) return;
            m_cursor = positionAtOffset(selectionEndOffset());
            updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        } else if (boxSelection()) {
            // The rectangle goes first; the typing is undone with it.
            if (deleteBoxSelection(0) >= 0) groupBits = editflag::kGrouped;
        } else {
            const int32_t a = selectionStartOffset();
            deleteCount = selectionEndOffset() - a;
            m_cursor = positionAtOffset(a);
        }
    }

    const bool overwrite = m_ctx.state->insOver == 1 && !hadSelection;
    TypingRules rules;
    rules.tabWidth = t.tabWidth();
    rules.tabsAsBlanks = m.tabCode != 0;
    rules.autoBreak = m.wrapCr != 0 && m.wrapNum > 0;
    rules.breakColumn = m.wrapNum;
    rules.wordWrap = m_doc.layoutOptions().wordWrap;
    rules.kinsoku = m_doc.layoutOptions().kinsoku;
    const CharSet noLineStart(m_doc.layoutOptions().kinsokuStr1);
    const CharSet noLineEnd(m_doc.layoutOptions().kinsokuStr2);
    rules.noLineStart = &noLineStart;
    rules.noLineEnd = &noLineEnd;
    rules.takeControls = flags & typeflag::kTakeControls;
    if (m.autoIndent) rules.autoIndent = autoIndentText();

    // Enter in overwrite mode that moves the cursor makes no fill.
    if (overwrite && g.insOverCR != 1 && isLineEnd(text[0]) && nav::beyondEnd(t, m_cursor))
        m_cursor = nav::rowEnd(t, m_cursor.row);

    size_t i = 0;
    for (;;) {
        // One run of typing from the cursor, up to a line end that moves the
        // cursor instead of breaking the line.
        m_cursor = clampedPosition(m_cursor, true);
        const int32_t row = m_cursor.row;
        const int32_t rowStart = t.row(row).offset;
        const int32_t docBytes = std::min(m_cursor.byteColumn, t.endColumn(row));
        std::string prefix(t.data() + rowStart, size_t(docBytes));
        if (nav::beyondEnd(t, m_cursor)) prefix += freeCursorFill(m_cursor);
        TypedTextBuilder builder(rules, std::move(prefix), docBytes, nav::beginsLine(t, row));
        builder.setPendingIndent(m_pendingIndent);

        const int32_t here = nav::offsetOf(t, m_cursor);
        if (overwrite && !isLineEnd(text[i])) {
            // One character under the cursor for each typed character, up to
            // a line end or the end of the text.
            int32_t o = here;
            for (int32_t k = charactersBeforeLineEnd(text, i, rules.takeControls); k > 0; --k) {
                if (sjis::endsContent(t.bytes()[o])) break;
                o = nav::nextCharOffset(t, o);
            }
            deleteCount = o - here;
        }

        size_t pos = i;
        bool move = false;
        while (pos < text.size()) {
            pos = builder.feed(text, pos, overwrite);
            if (pos >= text.size()) break;
            // A line end in overwrite mode, judged at the place in the
            // document that the characters typed so far have reached.
            const TextPosition saved = m_cursor;
            if (deleteCount > 0) m_cursor = positionAtOffset(here + deleteCount);
            move = !nav::atTextEnd(t, m_cursor) && overwriteMovesOnLineEnd();
            m_cursor = saved;
            if (move) break;
            pos = builder.feedLineEnd(text, pos);
        }
        if (move && g.insOverCR == 3) {
            // InsOverCR 3: the rest of the line goes with the line end.
            const int32_t o = here + deleteCount;
            int32_t e = o;
            while (!sjis::endsContent(t.bytes()[e])) e += sjis::step(t.bytes() + e);
            deleteCount += e - o;
        }
        applyTyped(builder, rowStart, deleteCount, groupBits);
        if (builder.pendingIndentUsed()) m_pendingIndent.reset();
        groupBits = 0;
        deleteCount = 0;
        if (!move) break;
        // Skip the line end and its LFs; the cursor goes to the next row.
        i = pos + 1;
        while (i < text.size() && text[i] == '\n') ++i;
        const int32_t r = m_cursor.row;
        if (r + 1 < availableRows()) m_cursor = {r + 1, 0, 0};
        else m_cursor = textEnd();
        if (i >= text.size()) break;
    }
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    if (g.hideMouseCursor && m_ctx.host) m_ctx.host->hideMousePointer();
}

void CLuView::indentSelectedLines(int32_t levels) {
    if (levels <= 0 || !m_doc.editable()) return;
    const TextStore& t = m_doc.text();
    const TextPosition s = hasSelection() ? m_sel.start() : m_cursor;
    TextPosition e = hasSelection() ? m_sel.end() : m_cursor;
    // A selection that ends at the start of a line leaves that line alone.
    if (e.row > s.row && e.byteColumn == 0 && nav::beginsLine(t, e.row)) e = nav::rowEnd(t, e.row - 1);
    const int32_t firstRow = t.firstRowOfLine(s.row);
    const int32_t lastRow = std::min(t.lastRowOfLine(e.row), availableRows() - 1);
    const int32_t from = t.row(firstRow).offset;
    const int32_t to = t.row(lastRow).offset + t.endColumn(lastRow);
    const int32_t selEnd = hasSelection() ? selectionEndOffset() : nav::offsetOf(t, m_cursor);
    std::string unit = modeOptions().tabCode == 0 ? std::string("\t") : std::string(size_t(t.tabWidth()), ' ');
    std::string indent;
    for (int32_t k = 0; k < levels; ++k) indent += unit;
    // The indentation goes at the start of every logical line of the range,
    // empty lines included.
    std::string out;
    int32_t added = 0, copied = from;
    for (int32_t r = firstRow; r <= lastRow; ++r) {
        if (!nav::beginsLine(t, r)) continue;
        const int32_t at = t.row(r).offset;
        out.append(t.data() + copied, size_t(at - copied));
        out += indent;
        added += int32_t(indent.size());
        copied = at;
    }
    out.append(t.data() + copied, size_t(to - copied));
    replaceRange(from, to, out, 0);
    selectRange(from, selEnd + added);
}

// ---- Typing commands

void CLuView::cmdTypeLineEnd(CommandId) { typeText("\r"); }

void CLuView::cmdTab(CommandId) { typeText("\t"); }

void CLuView::cmdBlankLine(CommandId) {
    // A blank line goes in above the cursor's line, in overwrite mode too.
    m_cursor = {m_doc.text().firstRowOfLine(m_cursor.row), 0, 0};
    const int saved = m_ctx.state->insOver;
    m_ctx.state->insOver = 0;
    typeText("\r");
    m_ctx.state->insOver = saved;
}

void CLuView::cmdPageBreak(CommandId) {
    const int saved = m_ctx.state->insOver;
    m_ctx.state->insOver = 0;
    typeText("\f");
    m_ctx.state->insOver = saved;
}

void CLuView::cmdCodeInput(CommandId) {
    if (!m_ctx.host) return;
    const std::optional<int32_t> code = m_ctx.host->askCharacterCode();
    if (!code || *code < 1 || *code > 127) return;
    const char c = char(*code);
    typeText(std::string_view(&c, 1), typeflag::kTakeControls);
}

void CLuView::cmdDuplicateLine(CommandId) {
    // A copy of the cursor's logical line goes in above it; the cursor ends
    // at the start of the copied line.
    const TextStore& t = m_doc.text();
    const int32_t row = hasSelection() ? m_sel.start().row : m_cursor.row;
    const int32_t f = t.firstRowOfLine(row);
    const int32_t l = t.lastRowOfLine(row);
    const int32_t start = t.row(f).offset;
    std::string copy;
    if (l + 1 < t.rowCount()) {
        copy.assign(t.data() + start, size_t(t.row(l + 1).offset - start));
    } else {
        copy.assign(t.data() + start, size_t(t.row(l).offset + t.endColumn(l) - start));
        copy += "\r\n";
    }
    m_cursor = {f, 0, 0};
    insertText(copy);
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

}  // namespace orvex
