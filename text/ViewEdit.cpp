// The view's edit primitive and the commands that delete: characters
// before and at the cursor, the selection, the delete-to family and clear
// all.
#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "text/CLuView.h"
#include "text/CursorSteps.h"
#include "text/ViewCommandIds.h"
#include "text/WordMotion.h"

namespace orvex {

namespace {

// Changes of more bytes than this (inserted plus deleted) show the wait
// cursor while they run.
constexpr int32_t kWaitCursorBytes = 256;

// Shows the host's wait cursor for its lifetime when asked to.
class WaitCursorGuard {
public:
    WaitCursorGuard(ViewHost* host, bool show) : m_host(show ? host : nullptr) {
        if (m_host) m_host->setWaitCursor(true);
    }
    ~WaitCursorGuard() {
        if (m_host) m_host->setWaitCursor(false);
    }
    WaitCursorGuard(const WaitCursorGuard&) = delete;
    WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;

private:
    ViewHost* m_host;
};

}  // namespace

std::string CLuView::freeCursorFill(const TextPosition& p) const {
    // From the row's end to the cursor's column: TABs up to the last tab
    // stop that does not pass the column (FreeTab with TabCode 0), blanks
    // for the rest.
    const TextStore& t = m_doc.text();
    int32_t col = t.endDisplayColumn(p.row);
    const int32_t target = std::max(col, p.displayColumn);
    std::string fill;
    const ViewModeOptions m = modeOptions();
    if (m.freeTab && m.tabCode == 0) {
        for (int32_t next = sjis::nextTabStop(col, t.tabWidth()); next <= target;
             next = sjis::nextTabStop(col, t.tabWidth())) {
            fill += '\t';
            col = next;
        }
    }
    fill.append(size_t(target - col), ' ');
    return fill;
}

TextPosition CLuView::editPosition(int32_t offset) const {
    // The row that holds the offset; byte 0 of a continuation row is the
    // same place as the end of the row before, and a change there is made
    // and recorded on that row.
    const TextStore& t = m_doc.text();
    const TextPosition p = t.positionOf(offset);
    if (p.byteColumn == 0 && p.row > 0 && !nav::endsLine(t, p.row - 1)) return nav::rowEnd(t, p.row - 1);
    return p;
}

int32_t CLuView::edit(std::string_view text, int32_t deleteLength, EditMode mode, bool repaint, int flags) {
    TextStore& t = m_doc.text();
    int32_t n = mode == EditMode::Delete ? 0 : int32_t(text.size());
    int32_t del = mode == EditMode::Insert ? 0 : std::max(0, deleteLength);
    if (n <= 0 && del <= 0) return -1;
    if (!m_doc.editable()) {
        refreshCaret();  // read-only: nothing changes, nothing is said
        return -1;
    }
    m_cursor = clampedPosition(m_cursor, true);
    // Deletions end where an open insertion gap begins.
    const InsertionGap& gap = t.insertionGap();
    if (gap.open && del > 0) {
        const int32_t at = nav::offsetOf(t, m_cursor);
        if (at < gap.offset) del = std::min(del, gap.offset - at);
        else del = 0;
    }
    // Text typed beyond a row's end comes after a fill up to the cursor.
    std::string filled;
    if (n > 0 && nav::beyondEnd(t, m_cursor)) {
        filled = freeCursorFill(m_cursor);
        filled.append(text);
        text = filled;
        n = int32_t(text.size());
        m_cursor = nav::rowEnd(t, m_cursor.row);
    }
    if (n <= 0 && del <= 0) return -1;

    // The edit works from the text offset of the cursor: a deletion
    // re-wraps its line (word wrap, kinsoku, or plain wrapping), after
    // which the same row and byte column may denote another place in the
    // text, so the insertion of a replace is placed by offset again.
    const int32_t at = nav::offsetOf(t, m_cursor);
    m_cursor = editPosition(at);
    // A deletion never passes the end of the text.
    const WaitCursorGuard wait(m_ctx.host, n + std::min(del, std::max(0, t.length() - at)) > kWaitCursorBytes);
    const int32_t rowsBefore = t.rowCount();
    const bool rec = flags & editflag::kRecord;
    const int32_t group = flags & editflag::kGroupMask;
    auto kind = [&](int32_t base) { return rec ? (group | base) : 0; };
    int32_t first = -1, inserted = 0;
    if (n > 0 && del > 0) {
        first = m_doc.deleteRecorded(m_cursor.row, m_cursor.byteColumn, del, kind(undokind::kReplaceDelete));
        if (first >= 0) {
            const TextPosition p = editPosition(at);
            const int32_t second =
                m_doc.insertRecorded(p.row, p.byteColumn, text.data(), n, kind(undokind::kReplaceInsert));
            if (second >= 0) {
                inserted = n;
                first = std::min(first, second);
            }
        }
    } else if (n > 0) {
        first = m_doc.insertRecorded(m_cursor.row, m_cursor.byteColumn, text.data(), n, kind(undokind::kInsert));
        if (first >= 0) inserted = n;
    } else {
        first = m_doc.deleteRecorded(m_cursor.row, m_cursor.byteColumn, del, kind(undokind::kDelete));
    }
    if (first < 0) {
        refreshCaret();
        return -1;
    }
    // The cursor follows the inserted text; an edit without undo record
    // leaves it at the edit offset.
    placeCursorAtOffset((rec || (flags & editflag::kInsertionGap)) ? at + inserted : at);
    finishEdit(first, rowsBefore, repaint);
    return first;
}

void CLuView::finishEdit(int32_t first, int32_t rowsBefore, bool repaint, bool notifyOthers) {
    // The edit ends any selection.
    endSelectionAtCursor();
    const TextStore& t = m_doc.text();
    const bool rowsChanged = t.rowCount() != rowsBefore;
    if (rowsChanged && m_ctx.host) m_ctx.host->scrollSizesChanged();
    m_view.clampTop(availableRows());
    if (notifyOthers) m_doc.notifyEdited(this);
    if (repaint) {
        const ChangeInfo& c = t.lastChange();
        const int32_t last = (rowsChanged || c.lastRowChanged < 0) ? -1 : std::max(c.lastRowChanged, first);
        repaintRows(std::max(0, first - 1), last);
    }
    rememberOffsets();
}

int32_t CLuView::insertText(std::string_view text, bool repaint, int flags) {
    return edit(text, 0, EditMode::Insert, repaint, flags);
}

int32_t CLuView::deleteText(int32_t length, bool repaint, int flags) {
    return edit({}, length, EditMode::Delete, repaint, flags);
}

int32_t CLuView::replaceText(std::string_view text, int32_t deleteLength, bool repaint, int flags) {
    if (text.empty()) return deleteText(deleteLength, repaint, flags);
    if (deleteLength <= 0) return insertText(text, repaint, flags);
    return edit(text, deleteLength, EditMode::Replace, repaint, flags);
}

void CLuView::replaceRange(int32_t from, int32_t to, std::string_view text, int groupBits) {
    m_cursor = positionAtOffset(from);
    replaceText(text, to - from, true, editflag::kRecord | groupBits);
}

int32_t CLuView::deleteBoxSelection(int groupBits) {
    // One replace over the rows of the box, from the first removed byte to
    // the last, so that one undo step takes it back.
    const TextStore& t = m_doc.text();
    const std::vector<RowPart> parts = boxParts();
    int32_t from = -1, to = -1;
    for (const RowPart& p : parts) {
        if (p.from == p.to) continue;
        const int32_t a = t.row(p.row).offset + p.from, b = t.row(p.row).offset + p.to;
        if (from < 0) from = a;
        to = b;
    }
    const int32_t cursorAt = parts.empty() ? nav::offsetOf(t, m_cursor) : t.row(parts.front().row).offset + parts.front().from;
    if (from < 0) {
        placeCursorAtOffset(cursorAt);
        return -1;
    }
    std::string kept;
    int32_t pos = from;
    for (const RowPart& p : parts) {
        if (p.from == p.to) continue;
        const int32_t a = t.row(p.row).offset + p.from, b = t.row(p.row).offset + p.to;
        if (a > pos) kept.append(t.data() + pos, size_t(a - pos));
        pos = b;
    }
    m_cursor = positionAtOffset(from);
    const int32_t first = replaceText(kept, to - from, true, editflag::kRecord | groupBits);
    if (first >= 0) placeCursorAtOffset(cursorAt);
    return first;
}

bool CLuView::deleteSelection(int groupBits) {
    if (!hasSelection()) return false;
    if (boxSelection()) return deleteBoxSelection(groupBits) >= 0;
    const int32_t a = selectionStartOffset(), b = selectionEndOffset();
    m_cursor = positionAtOffset(a);
    if (b <= a) return false;
    return deleteText(b - a, true, editflag::kRecord | groupBits) >= 0;
}

void CLuView::deleteBefore(int32_t count) {
    const TextStore& t = m_doc.text();
    if (hasSelection()) {
        deleteSelection();
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        return;
    }
    if (m_ctx.state->insOver && globalOptions().insOverBS) {
        moveCharLeft(false, count);  // overwrite mode with InsOverBS only moves
        return;
    }
    if (nav::beyondEnd(t, m_cursor)) {
        --m_cursor.byteColumn;  // a free-cursor position only moves left one column
        --m_cursor.displayColumn;
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        return;
    }
    const int32_t end = nav::offsetOf(t, m_cursor);
    int32_t from = end;
    for (int32_t i = 0; i < count && from > 0; ++i) from = nav::previousCharOffset(t, from);
    if (from < end) {
        m_cursor = positionAtOffset(from);
        deleteText(end - from);
    }
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void CLuView::deleteAt(int32_t count) {
    const TextStore& t = m_doc.text();
    if (hasSelection()) {
        deleteSelection();
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        return;
    }
    if (!nav::beyondEnd(t, m_cursor)) {
        const int32_t from = nav::offsetOf(t, m_cursor);
        int32_t to = from;
        for (int32_t i = 0; i < count; ++i) {
            const int32_t next = nav::nextCharOffset(t, to);
            if (next == to) break;
            to = next;
        }
        if (to > from) deleteText(to - from);
    }
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void CLuView::deleteRange(int32_t from, int32_t to, bool delCopy) {
    if (to <= from) return;
    if (delCopy) {
        // DelCopy: select the range, copy it as the copy command does, and
        // delete the selection.
        m_ctx.state->boxMode = false;
        m_sel.setViewBox(false);
        selectRange(from, to);
        if (m_platform.clipboard) m_platform.clipboard->setTextFrom(selectedText(), false, m_doc.privateChars());
        deleteSelection();
    } else {
        m_cursor = positionAtOffset(from);
        deleteText(to - from);
    }
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void CLuView::selectRange(int32_t from, int32_t to) {
    m_cursor = positionAtOffset(from);
    setAnchorHere();
    m_cursor = positionAtOffset(to);
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Extend);
}

// ---- Command handlers

void CLuView::cmdDeleteTo(CommandId id) {
    const TextStore& t = m_doc.text();
    const int32_t rows = availableRows();
    const int32_t here = nav::offsetOf(t, m_cursor);
    int32_t from = here, to = here;
    switch (id) {
    case cmd::kDeleteToFileStart: from = 0; break;
    case cmd::kDeleteToFileEnd: to = nav::offsetOf(t, textEnd()); break;
    case cmd::kDeleteLine: {
        from = nav::offsetOf(t, lineStartOf(m_cursor));
        TextPosition next;
        if (globalOptions().homeEndMode != 0)
            next = m_cursor.row + 1 < rows ? TextPosition{m_cursor.row + 1, 0, 0} : nav::rowEnd(t, m_cursor.row);
        else
            next = nextLineStartOf(m_cursor);
        to = nav::offsetOf(t, next);
        break;
    }
    case cmd::kDeleteToLineStart: from = nav::offsetOf(t, lineStartOf(m_cursor)); break;
    case cmd::kDeleteToLineEnd: to = nav::offsetOf(t, lineEndOf(m_cursor)); break;
    case cmd::kDeleteWord: {
        const word::Range w = word::at(t, m_cursor, rows);
        from = nav::offsetOf(t, w.start);
        to = nav::offsetOf(t, w.end);
        break;
    }
    case cmd::kDeleteToWordStart: from = nav::offsetOf(t, word::left(t, m_cursor, 0, rows)); break;
    case cmd::kDeleteToWordEnd: to = nav::offsetOf(t, word::right(t, m_cursor, 0, rows)); break;
    default: return;
    }
    deleteRange(from, to, globalOptions().delCopy != 0);
}

void CLuView::cmdDeleteChar(CommandId id) {
    if (id == cmd::kDeleteBefore) deleteBefore(1);
    else deleteAt(1);
}

void CLuView::cmdClearAll(CommandId) {
    const TextStore& t = m_doc.text();
    if (t.length() == 0) return;
    if (globalOptions().delCopy) {
        cmdSelectAll(cmd::kSelectAll);
        if (m_platform.clipboard) m_platform.clipboard->setTextFrom(selectedText(), false, m_doc.privateChars());
        deleteSelection();
    } else {
        m_cursor = {0, 0, 0};
        deleteText(t.length());
    }
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

}  // namespace orvex
