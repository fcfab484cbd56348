// Mouse handling in rows and display columns: clicks, margin clicks,
// dragging with auto-scroll, double-clicks, drag and drop of the selection
// and the context menu.
#include <algorithm>

#include "text/CLuView.h"
#include "text/CursorSteps.h"
#include "text/ViewCommandIds.h"
#include "text/WordMotion.h"

namespace orvex {

namespace {
constexpr int kAutoScrollMs = 100;
}

TextPosition CLuView::hitPosition(const MouseEvent& e, bool dragging) const {
    const TextStore& t = m_doc.text();
    const int32_t last = std::max(0, availableRows() - 1);
    int32_t row = std::clamp(e.row, 0, last);
    int32_t column = e.inMargin ? 0 : std::max(0, e.column);
    // Dragging below the last row reaches the end of it (a box keeps its
    // column).
    if (dragging && e.row > last && !boxSelection()) column = std::max(wrapWidth(), t.row(row).width);
    const ColumnHit h = t.byteColumnAt(row, column, false, wrapWidth(), freeCursorOn(row));
    return {row, h.byteColumn, h.displayColumn};
}

bool CLuView::insideSelection(const TextPosition& p) const {
    if (!hasSelection()) return false;
    if (boxSelection()) {
        const BoxRect b = boxRect();
        return p.row >= b.top && p.row <= b.bottom && p.displayColumn >= b.left && p.displayColumn < b.right;
    }
    return !nav::before(p, m_sel.start()) && nav::before(p, m_sel.end());
}

void CLuView::selectWholeLineAt(const TextPosition& p, bool extend) {
    const TextStore& t = m_doc.text();
    const TextPosition start = lineStartOf(p);
    const TextPosition next = globalOptions().homeEndMode != 0
                                  ? (p.row + 1 < availableRows() ? TextPosition{p.row + 1, 0, 0} : nav::rowEnd(t, p.row))
                                  : nextLineStartOf(p);
    if (extend && hasSelection()) {
        // Shift: the selection grows by whole lines towards the click.
        m_cursor = nav::before(p, m_sel.anchorStart()) ? start : next;
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Extend);
        return;
    }
    selectAsRange(start, next);
}

MousePress CLuView::leftButtonDown(const MouseEvent& e) {
    const ViewGlobalOptions g = globalOptions();
    if (g.imeFlush && m_ctx.host) m_ctx.host->finishComposition();
    m_ctx.state->selectionMode = e.shift;
    if (recording()) return MousePress::Ignored;  // a recording holds no clicks
    if (m_ctx.host) m_ctx.host->setMouseCapture(true);
    m_buttonDown = true;
    m_pressEvent = e;
    m_pointerRow = e.row - topRow();
    m_pointerColumn = e.column - leftColumn();
    m_pointerInMargin = e.inMargin;
    if (!e.inMargin && m_dragHandler && m_dragHandler->dragPressed(e)) {
        m_handlerDrag = true;
        return MousePress::Selecting;
    }
    const TextPosition p = hitPosition(e, false);
    if (e.inMargin) {
        m_marginDrag = true;
        selectWholeLineAt(p, e.shift);
        return MousePress::Selecting;
    }
    if (!e.shift && insideSelection(p)) {
        m_dragPending = true;  // the widget starts a drag once the mouse moves
        return MousePress::DragPending;
    }
    m_cursor = p;
    if (e.shift) {
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Extend);
    } else {
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        // Without Shift or Ctrl, Alt held makes this view's selection a box.
        if (!e.ctrl) m_sel.setViewBox(e.alt);
    }
    return MousePress::Selecting;
}

void CLuView::extendToMouse(const MouseEvent& e, ScrollMode scroll) {
    TextPosition p = hitPosition(e, true);
    // A drag that started in the margin, or a drag from the text that has
    // reached the margin, grows the selection by whole rows (a box keeps
    // its rows: the margin is column 0 to it).
    if (m_marginDrag || (e.inMargin && !boxSelection())) {
        const TextStore& t = m_doc.text();
        if (nav::before(p, m_sel.anchorStart())) p = {p.row, 0, 0};
        else p = p.row + 1 < availableRows() ? TextPosition{p.row + 1, 0, 0} : nav::rowEnd(t, p.row);
    }
    m_cursor = p;
    updateCursor(true, scroll, SelectionUpdate::Extend);
}

void CLuView::mouseMove(const MouseEvent& e) {
    if (!m_buttonDown || m_dragPending || m_dragActive) return;
    m_pointerRow = e.row - topRow();
    m_pointerColumn = e.column - leftColumn();
    m_pointerInMargin = e.inMargin;
    const bool outside = m_pointerRow < 0 || m_pointerRow >= fullyVisibleRows() ||
                         (!e.inMargin && (m_pointerColumn < 0 || m_pointerColumn >= visibleColumns()));
    if (m_handlerDrag) {
        MouseEvent inside = e;
        inside.row = topRow() + std::clamp(m_pointerRow, 0, std::max(0, fullyVisibleRows() - 1));
        inside.column = leftColumn() + std::clamp(m_pointerColumn, 0, std::max(0, visibleColumns() - 1));
        inside.inMargin = false;
        if (outside) startAutoScroll();
        else stopAutoScroll();
        if (m_dragHandler) m_dragHandler->dragMoved(inside);
        return;
    }
    if (outside) {
        // The selection reaches the edge of the view; the timer scrolls on.
        MouseEvent edge = e;
        edge.row = topRow() + std::clamp(m_pointerRow, 0, fullyVisibleRows() - 1);
        edge.column = leftColumn() + std::clamp(m_pointerColumn, 0, visibleColumns());
        extendToMouse(edge, ScrollMode::None);
        startAutoScroll();
    } else {
        stopAutoScroll();
        extendToMouse(e, ScrollMode::Visible);
    }
}

void CLuView::startAutoScroll() {
    if (m_scrollTimer || !m_platform.timers) return;
    m_scrollTimer = m_platform.timers->start(kAutoScrollMs, [this] { autoScrollTick(); });
}

void CLuView::stopAutoScroll() {
    if (!m_scrollTimer) return;
    if (m_platform.timers) m_platform.timers->stop(m_scrollTimer);
    m_scrollTimer = 0;
}

void CLuView::autoScrollTick() {
    if (!m_buttonDown) {
        stopAutoScroll();
        return;
    }
    const int32_t dr = m_pointerRow < 0 ? -1 : m_pointerRow >= fullyVisibleRows() ? 1 : 0;
    const int32_t dc =
        m_pointerInMargin ? 0 : m_pointerColumn < 0 ? -1 : m_pointerColumn >= visibleColumns() ? 1 : 0;
    if (dr == 0 && dc == 0) {
        stopAutoScroll();
        return;
    }
    scrollTo(topRow() + dr, leftColumn() + dc);
    MouseEvent e;
    e.row = topRow() + std::clamp(m_pointerRow, 0, fullyVisibleRows() - 1);
    if (dr > 0 && topRow() + m_pointerRow >= availableRows()) e.row = topRow() + m_pointerRow;  // below the text
    e.column = leftColumn() + std::clamp(m_pointerColumn, 0, visibleColumns());
    e.inMargin = m_pointerInMargin;
    if (m_handlerDrag) {
        e.inMargin = false;
        if (m_dragHandler) m_dragHandler->dragMoved(e);
        return;
    }
    extendToMouse(e, ScrollMode::None);
}

void CLuView::leftButtonUp(const MouseEvent& e) {
    if (!m_buttonDown) return;
    m_buttonDown = false;
    if (m_ctx.host) m_ctx.host->setMouseCapture(false);
    stopAutoScroll();
    if (m_handlerDrag) {
        m_handlerDrag = false;
        if (m_dragHandler) m_dragHandler->dragReleased(e);
        return;
    }
    if (m_dragPending) {
        // Pressed inside the selection and released without dragging: a
        // plain click.
        m_dragPending = false;
        m_cursor = hitPosition(m_pressEvent, false);
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    }
    m_marginDrag = false;
    if (hasSelection() && anchorIsRange()) updateCursor(true, ScrollMode::None, SelectionUpdate::Settle);
}

void CLuView::leftDoubleClick(const MouseEvent& e) {
    m_ctx.state->selectionMode = e.shift;
    if (recording()) return;
    if (m_ctx.host) m_ctx.host->setMouseCapture(true);
    m_buttonDown = true;
    m_dragPending = false;
    m_pointerRow = e.row - topRow();
    m_pointerColumn = e.column - leftColumn();
    m_pointerInMargin = e.inMargin;
    m_cursor = hitPosition(e, false);
    updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    if (m_ctx.hooks) {
        if (m_doc.layoutOptions().tagFile && m_ctx.hooks->tagJump(*this)) return;
        if (m_ctx.hooks->urlJump(*this)) return;
    }
    // Beyond the end of a row the click only places the cursor.
    if (m_cursor.byteColumn >= m_doc.text().endColumn(m_cursor.row)) return;
    cmdSelectTo(cmd::kSelectWord);
}

void CLuView::rightButtonDown(const MouseEvent& e, bool otherButtonsHeld) {
    if (otherButtonsHeld) return;
    const ViewGlobalOptions g = globalOptions();
    if (g.imeFlush && m_ctx.host) m_ctx.host->finishComposition();
    if (!g.rBtnUpDown) return;
    m_ctx.state->selectionMode = false;
    if (hasSelection()) updateCursor(false, ScrollMode::None, SelectionUpdate::Settle);
    refreshCaret();
    if (m_ctx.host) m_ctx.host->showContextMenu(e.row, e.column);
}

void CLuView::rightButtonUp(const MouseEvent& e, bool otherButtonsHeld) {
    if (otherButtonsHeld || globalOptions().rBtnUpDown) return;
    m_ctx.state->selectionMode = false;
    if (hasSelection()) updateCursor(false, ScrollMode::None, SelectionUpdate::Settle);
    refreshCaret();
    if (m_ctx.host) m_ctx.host->showContextMenu(e.row, e.column);
}

// ---- Drag and drop

std::string CLuView::beginDrag() {
    m_dragPending = false;
    m_dragActive = true;
    m_buttonDown = false;
    stopAutoScroll();
    return selectedText();
}

void CLuView::endDrag(bool movedElsewhere) {
    if (!m_dragActive) return;
    m_dragActive = false;
    if (movedElsewhere && hasSelection()) {
        deleteSelection();
        updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    }
}

void CLuView::dropText(const MouseEvent& at, std::string_view sjis, bool moveFromThisView) {
    if (sjis.empty()) return;
    const TextStore& t = m_doc.text();
    const TextPosition p = hitPosition(at, false);
    if (moveFromThisView && m_dragActive && hasSelection()) {
        m_dragActive = false;
        if (boxSelection()) {
            moveBox(p);
            return;
        }
        const int32_t s = selectionStartOffset(), e = selectionEndOffset();
        int32_t drop = nav::offsetOf(t, p);
        if (drop >= s && drop <= e) return;  // dropped onto itself
        // What is inserted at the drop point is exactly what the deletion
        // removed: it may stop short where an open insertion gap begins, or
        // take the LFs of a cut line end with it. The source bytes are taken
        // before the deletion, with any LFs that follow it.
        int32_t until = e;
        while (until < t.length() && t.data()[until] == '\n') ++until;
        std::string moved(t.data() + s, size_t(until - s));
        // The source goes first; the insertion is grouped with its deletion
        // so that one undo takes the move back.
        m_cursor = positionAtOffset(s);
        const int32_t sizeBefore = t.size();
        if (deleteText(e - s) < 0) return;
        const int32_t removed = sizeBefore - t.size();
        moved.resize(size_t(std::clamp(removed, 0, int32_t(moved.size()))));
        // A drop point after the source moves back by what was removed.
        if (drop > e) drop -= removed;
        m_cursor = positionAtOffset(drop);
        if (insertText(moved, true, editflag::kRecord | editflag::kGrouped) < 0) return;
        const int32_t end = nav::offsetOf(t, m_cursor);
        selectRange(end - int32_t(moved.size()), end);
        return;
    }
    m_cursor = p;
    if (insertText(sjis) < 0) return;
    // The dropped text ends up selected.
    const int32_t end = nav::offsetOf(t, m_cursor);
    selectRange(end - int32_t(sjis.size()), end);
}

void CLuView::moveBox(const TextPosition& p) {
    // A box moved within the view: the box is deleted and its rows go in as
    // a rectangle at the drop point, grouped so that one undo takes both
    // back. The drop point is kept as a text offset (the deletion shifts
    // the text after each removed part) plus its free-cursor columns.
    const TextStore& t = m_doc.text();
    if (insideSelection(p)) return;  // dropped onto itself
    const int32_t drop = nav::offsetOf(t, p);
    const int32_t freeColumns = std::max(0, p.byteColumn - t.endColumn(p.row));
    int32_t removedBefore = 0, removedAll = 0;
    for (const RowPart& part : boxParts()) {
        const int32_t a = t.row(part.row).offset + part.from, b = t.row(part.row).offset + part.to;
        if (a < drop && drop < b) return;  // inside a part: onto itself
        if (b <= drop) removedBefore += b - a;
        removedAll += b - a;
    }
    const std::string moved = selectedText();
    const int32_t sizeBefore = t.size();
    if (deleteBoxSelection(0) < 0) return;
    if (sizeBefore - t.size() != removedAll) {
        // The deletion did not take what the box showed: put the text back
        // rather than insert a copy of bytes still in place.
        cmdUndoRedo(cmd::kUndo);
        return;
    }
    m_cursor = positionAtOffset(drop - removedBefore);
    if (freeColumns > 0 && nav::offsetOf(t, m_cursor) == t.row(m_cursor.row).offset + t.endColumn(m_cursor.row)) {
        m_cursor.byteColumn += freeColumns;
        m_cursor.displayColumn += freeColumns;
    }
    pasteRectangle(moved, editflag::kGrouped);
}

void CLuView::setDragHandler(DragHandler* handler) {
    if (handler == m_dragHandler) return;
    m_dragHandler = handler;
    m_handlerDrag = false;
}

}  // namespace orvex
