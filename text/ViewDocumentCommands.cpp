// Commands that work on the document's history and row flags from the
// view (undo, redo, marks, title and modified rows) and the line jumps.
#include <algorithm>
#include <string>

#include "text/CLuView.h"
#include "text/CursorSteps.h"
#include "text/ViewCommandIds.h"

namespace orvex {

void CLuView::cmdUndoRedo(CommandId id) {
    const int32_t rowsBefore = m_doc.text().rowCount();
    const UndoResult r = id == cmd::kUndo ? m_doc.undo(this) : m_doc.redo(this);
    if (!r.applied) return;
    // The cursor goes to the text offset of the change.
    placeCursorAtOffset(r.cursorOffset);
    finishEdit(r.firstRow, rowsBefore, false, false);  // the document told the other views
    repaintRows(std::max(0, r.firstRow - 1), -1);
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void CLuView::cmdMarks(CommandId id) {
    const TextStore& t = m_doc.text();
    int32_t row = -1;
    switch (id) {
    case cmd::kMarkToggle:
        m_doc.toggleMark(m_cursor.row);
        return;
    case cmd::kMarkNext: row = m_doc.nextMarkRow(m_cursor.row, true); break;
    case cmd::kMarkPrevious: row = m_doc.nextMarkRow(m_cursor.row, false); break;
    case cmd::kMarkClearAll: m_doc.clearAllMarks(); return;
    default: return;
    }
    if (row >= 0 && row < t.rowCount()) moveTo(row, 0);
}

void CLuView::cmdRowSearch(CommandId id) {
    int32_t row = -1;
    switch (id) {
    case cmd::kTitleNext: row = m_doc.nextTitleRow(m_cursor.row, true); break;
    case cmd::kTitlePrevious: row = m_doc.nextTitleRow(m_cursor.row, false); break;
    case cmd::kModifiedNext: row = m_doc.nextModifiedRow(m_cursor.row, true); break;
    case cmd::kModifiedPrevious: row = m_doc.nextModifiedRow(m_cursor.row, false); break;
    case cmd::kModifiedLast: row = m_doc.lastModifiedRow(); break;
    default: return;
    }
    if (row >= 0) moveTo(row, 0);
}

void CLuView::goToLine(int32_t number) {
    // With row numbers shown (LineNoDisp 2) the number is a display row.
    const TextStore& t = m_doc.text();
    TextPosition p;
    if (globalOptions().lineNoDisp == 2) p = {std::clamp(number - 1, 0, std::max(0, availableRows() - 1)), 0, 0};
    else p = t.goToLine(number);
    m_cursor = p;
    updateCursor(true, ScrollMode::Centred, moveSelection(false));
}

void CLuView::cmdGoToLine(CommandId) {
    if (!m_ctx.host) return;
    const TextStore& t = m_doc.text();
    const int32_t initial = globalOptions().lineNoDisp == 2 ? m_cursor.row + 1 : t.row(m_cursor.row).line + 1;
    const std::optional<int32_t> number = m_ctx.host->askLineNumber(initial);
    if (!number) return;
    m_jumpLine = *number;
    goToLine(*number);
    // Recorded as the jump-line record and "jump again", so that a playback
    // goes to the same line without asking.
    if (recording()) {
        m_ctx.keyMacro->recordText(keymacro::kJumpLine, std::to_string(*number));
        m_ctx.keyMacro->record(cmd::kJumpAgain, 0);
    }
}

// The gate records the id after the jump; the line it goes to comes first.
void CLuView::cmdJumpAgain(CommandId) {
    if (recording()) m_ctx.keyMacro->recordText(keymacro::kJumpLine, std::to_string(m_jumpLine));
    if (m_jumpLine > 0) goToLine(m_jumpLine);
}

// ---- Update handlers

void CLuView::updateUndo(CommandId, CommandState& s) { s.enabled = m_doc.canUndo(); }
void CLuView::updateRedo(CommandId, CommandState& s) { s.enabled = m_doc.canRedo(); }
void CLuView::updateJumpAgain(CommandId, CommandState& s) { s.enabled = m_jumpLine > 0; }

void CLuView::updateMarks(CommandId id, CommandState& s) {
    if (id == cmd::kMarkToggle) s.enabled = m_doc.text().length() > 0;
    else s.enabled = m_doc.text().markedRowCount() > 0;
}

void CLuView::updateRowSearch(CommandId id, CommandState& s) {
    const TextStore& t = m_doc.text();
    switch (id) {
    case cmd::kTitleNext:
    case cmd::kTitlePrevious: s.enabled = t.titleRowCount() > 0; break;
    case cmd::kModifiedLast: s.enabled = m_doc.lastModifiedRow() >= 0; break;
    default: s.enabled = t.modifiedRowsPresent(); break;
    }
}

void CLuView::updatePaste(CommandId, CommandState& s) {
    s.enabled = m_platform.clipboard && m_platform.clipboard->hasText();
}

void CLuView::updateScrapPaste(CommandId, CommandState& s) {
    s.enabled = false;
    if (m_ctx.hooks) {
        const std::optional<std::string> entry = m_ctx.hooks->currentScrap();
        s.enabled = entry && !entry->empty();
    }
}

}  // namespace orvex
