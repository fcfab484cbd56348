// Cursor movement: characters, words, rows, line starts and ends, the
// select-to family and the jumps.
#include <algorithm>

#include "text/CLuView.h"
#include "text/CursorSteps.h"
#include "text/ViewCommandIds.h"
#include "text/WordMotion.h"

namespace orvex {

SelectionUpdate CLuView::moveSelection(bool extend) const {
    return (extend || m_ctx.state->selectionMode) ? SelectionUpdate::Extend : SelectionUpdate::Clear;
}

TextPosition CLuView::atDesiredColumn(int32_t row, int32_t column) const {
    const ColumnHit h = m_doc.text().byteColumnAt(row, column, false, wrapWidth(), freeCursorOn(row));
    return {row, h.byteColumn, h.displayColumn};
}

TextPosition CLuView::textEnd() const { return nav::rowEnd(m_doc.text(), std::max(0, availableRows() - 1)); }

TextPosition CLuView::lineStartOf(const TextPosition& p) const {
    if (globalOptions().homeEndMode != 0) return {p.row, 0, 0};
    return {m_doc.text().firstRowOfLine(p.row), 0, 0};
}

TextPosition CLuView::lineEndOf(const TextPosition& p) const {
    const TextStore& t = m_doc.text();
    if (globalOptions().homeEndMode != 0) return nav::rowEnd(t, p.row);
    return nav::rowEnd(t, std::min(t.lastRowOfLine(p.row), availableRows() - 1));
}

TextPosition CLuView::nextLineStartOf(const TextPosition& p) const {
    const TextStore& t = m_doc.text();
    const int32_t last = std::min(t.lastRowOfLine(p.row), availableRows() - 1);
    if (last + 1 < availableRows()) return {last + 1, 0, 0};
    return nav::rowEnd(t, last);
}

void CLuView::moveCharLeft(bool extend, int32_t count) {
    const bool ext = extend || m_ctx.state->selectionMode;
    if (hasSelection() && !ext) {
        collapse(true);
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        return;
    }
    const TextStore& t = m_doc.text();
    // In box mode a move that changes the selection starts from the column
    // the box keeps.
    if (boxSelection() && m_ctx.state->selectionMode && hasSelection())
        m_cursor = atDesiredColumn(m_cursor.row, m_desiredColumn);
    const bool freeHome = modeOptions().freeCursHome != 0;
    for (int32_t i = 0; i < count; ++i) {
        if (nav::beyondEnd(t, m_cursor)) {
            --m_cursor.byteColumn;  // a free-cursor position moves one column at a time
            --m_cursor.displayColumn;
            continue;
        }
        if (m_cursor.byteColumn == 0 && freeCursorOn(m_cursor.row) && !freeHome) break;
        if (!nav::stepLeft(t, m_cursor)) break;
    }
    updateCursor(true, ScrollMode::Visible, moveSelection(extend));
}

void CLuView::moveCharRight(bool extend, int32_t count) {
    const bool ext = extend || m_ctx.state->selectionMode;
    if (hasSelection() && !ext) {
        collapse(false);
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        return;
    }
    const TextStore& t = m_doc.text();
    if (boxSelection() && m_ctx.state->selectionMode && hasSelection())
        m_cursor = atDesiredColumn(m_cursor.row, m_desiredColumn);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t end = t.endColumn(m_cursor.row);
        if (m_cursor.byteColumn >= end && freeCursorOn(m_cursor.row)) {
            const int32_t limit = std::max(wrapWidth(), t.row(m_cursor.row).width);
            if (m_cursor.displayColumn < limit) {
                ++m_cursor.byteColumn;
                ++m_cursor.displayColumn;
                continue;
            }
        }
        if (m_cursor.byteColumn > end) m_cursor = nav::rowEnd(t, m_cursor.row);
        if (!nav::stepRight(t, m_cursor, availableRows())) break;
    }
    updateCursor(true, ScrollMode::Visible, moveSelection(extend));
}

void CLuView::moveRows(int32_t delta, bool extend) {
    const bool ext = extend || m_ctx.state->selectionMode;
    if (hasSelection() && !ext) {
        collapse(delta < 0);
        m_desiredColumn = m_cursor.displayColumn;
    }
    const int32_t row = std::clamp(m_cursor.row + delta, 0, std::max(0, availableRows() - 1));
    m_cursor = atDesiredColumn(row, m_desiredColumn);
    updateCursor(false, ScrollMode::Visible, moveSelection(extend));
}

void CLuView::moveWord(bool right, bool extend) {
    const TextStore& t = m_doc.text();
    m_cursor = right ? word::right(t, m_cursor, 0, availableRows()) : word::left(t, m_cursor, 0, availableRows());
    updateCursor(true, ScrollMode::Visible, moveSelection(extend));
}

void CLuView::moveHome(bool extend) {
    if (hasSelection() && !(extend || m_ctx.state->selectionMode)) {
        collapse(true);
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        return;
    }
    m_cursor = lineStartOf(m_cursor);
    updateCursor(true, ScrollMode::Visible, moveSelection(extend));
}

void CLuView::moveEnd(bool extend) {
    if (hasSelection() && !(extend || m_ctx.state->selectionMode)) {
        collapse(false);
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        return;
    }
    m_cursor = lineEndOf(m_cursor);
    updateCursor(true, ScrollMode::Visible, moveSelection(extend));
}

void CLuView::moveNextLine(bool extend) {
    m_cursor = nextLineStartOf(m_cursor);
    updateCursor(true, ScrollMode::Visible, moveSelection(extend));
}

void CLuView::selectTo(const TextPosition& target) {
    // The anchor stays where a selection has it, else it is the cursor.
    if (!hasSelection()) setAnchorHere();
    m_cursor = target;
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Extend);
}

void CLuView::selectAsRange(const TextPosition& anchor, const TextPosition& other) {
    // The anchor goes to one end, the cursor to the other; SetRange makes
    // the pair the anchor range and puts the cursor at its start.
    m_cursor = anchor;
    applySelectionUpdate(SelectionUpdate::Clear);
    m_cursor = other;
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::SetRange);
}

// ---- Command handlers

void CLuView::cmdMove(CommandId id) {
    switch (id) {
    case cmd::kCharLeft: moveCharLeft(false, 1); break;
    case cmd::kCharRight: moveCharRight(false, 1); break;
    case cmd::kLineUp: moveRows(-1, false); break;
    case cmd::kLineDown: moveRows(1, false); break;
    case cmd::kWordLeft: moveWord(false, false); break;
    case cmd::kWordRight: moveWord(true, false); break;
    case cmd::kHome: moveHome(false); break;
    case cmd::kEnd: moveEnd(false); break;
    case cmd::kNextLine: moveNextLine(false); break;
    case cmd::kSelectCharLeft: moveCharLeft(true, 1); break;
    case cmd::kSelectCharRight: moveCharRight(true, 1); break;
    case cmd::kSelectLineUp: moveRows(-1, true); break;
    case cmd::kSelectLineDown: moveRows(1, true); break;
    case cmd::kSelectToNextLine: selectTo(nextLineStartOf(m_cursor)); break;
    case cmd::kSelectWordRight: moveWord(true, true); break;
    default: break;
    }
}

void CLuView::cmdSelectTo(CommandId id) {
    const TextStore& t = m_doc.text();
    const int32_t rows = availableRows();
    switch (id) {
    case cmd::kSelectToFileStart: selectTo({0, 0, 0}); break;
    case cmd::kSelectToFileEnd: selectTo(textEnd()); break;
    case cmd::kSelectLine: {
        const TextPosition start = lineStartOf(m_cursor);
        TextPosition next;
        if (globalOptions().homeEndMode != 0)
            next = m_cursor.row + 1 < rows ? TextPosition{m_cursor.row + 1, 0, 0} : nav::rowEnd(t, m_cursor.row);
        else
            next = nextLineStartOf(m_cursor);
        selectAsRange(start, next);
        break;
    }
    case cmd::kSelectToLineStart: selectTo(lineStartOf(m_cursor)); break;
    case cmd::kSelectToLineEnd: selectTo(lineEndOf(m_cursor)); break;
    case cmd::kSelectWord: {
        const word::Range w = word::at(t, m_cursor, rows);
        if (!nav::before(w.start, w.end)) break;
        selectAsRange(w.end, w.start);
        break;
    }
    case cmd::kSelectToWordStart: selectTo(word::left(t, m_cursor, 0, rows)); break;
    case cmd::kSelectToWordEnd: selectTo(word::right(t, m_cursor, 0, rows)); break;
    default: break;
    }
}

void CLuView::cmdJump(CommandId id) {
    const int32_t last = std::max(0, availableRows() - 1);
    switch (id) {
    case cmd::kFileTop: m_cursor = {0, 0, 0}; break;
    case cmd::kFileBottom: m_cursor = textEnd(); break;
    case cmd::kScreenTop: m_cursor = {std::min(m_view.topRow(), last), 0, 0}; break;
    case cmd::kScreenBottom: m_cursor = {std::min(m_view.lastFullRow(), last), 0, 0}; break;
    default: return;
    }
    // The screen jumps land on a visible row: the view stays where it is.
    const bool screen = id == cmd::kScreenTop || id == cmd::kScreenBottom;
    updateCursor(true, screen ? ScrollMode::None : ScrollMode::Visible, moveSelection(false));
}

void CLuView::cmdSelectAll(CommandId) {
    m_ctx.state->boxMode = false;
    m_sel.setViewBox(false);
    m_cursor = {0, 0, 0};
    setAnchorHere();
    m_cursor = textEnd();
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Extend);
}

void CLuView::cmdClearSelection(CommandId) { clearSelection(); }

}  // namespace orvex
