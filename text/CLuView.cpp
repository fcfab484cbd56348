// The view's state: construction, the viewport, the cursor update with
// scrolling into view, and what the view does when its document changes
// through another view.
#include "text/CLuView.h"

#include <algorithm>

#include "display/ScrollRules.h"
#include "text/CursorSteps.h"

namespace orvex {

CLuView::CLuView(CLuDoc& doc, const ViewContext& context)
    : m_doc(doc), m_ctx(context), m_platform(doc.platform()) {
    if (!m_ctx.state) {
        m_ownState = std::make_unique<EditorState>();
        m_ctx.state = m_ownState.get();
    }
    if (!m_ctx.options) {
        m_ownOptions = std::make_unique<PlainViewOptions>();
        m_ctx.options = m_ownOptions.get();
    }
    m_doc.addObserver(this);
}

CLuView::~CLuView() {
    stopAutoScroll();
    if (m_sibling && m_sibling->m_sibling == this) m_sibling->m_sibling = nullptr;
    m_doc.removeObserver(this);
}

// ---- Small helpers

bool CLuView::recording() const { return m_ctx.keyMacro && m_ctx.keyMacro->recordingSlot() != 0; }

void CLuView::record(CommandId id) {
    if (recording()) m_ctx.keyMacro->record(id, 0);
}

void CLuView::refreshCaret() {
    if (m_ctx.host) m_ctx.host->caretMoved();
}

void CLuView::repaintRows(int32_t first, int32_t last) {
    if (m_platform.ui) m_platform.ui->invalidateRows(this, first, last);
}

void CLuView::repaintAll() {
    if (m_platform.ui) m_platform.ui->invalidateAll(this);
}

bool CLuView::freeCursorOn(int32_t row) const {
    const ViewModeOptions m = modeOptions();
    if (!m.freeCurs) return false;
    return !(m.stopEof && row >= m_doc.text().rowCount() - 1);
}

TextPosition CLuView::clampedPosition(TextPosition p, bool allowFree) const {
    const TextStore& t = m_doc.text();
    p.row = std::clamp(p.row, 0, std::max(0, availableRows() - 1));
    const int32_t end = t.endColumn(p.row);
    if (p.byteColumn > end) {
        if (allowFree && freeCursorOn(p.row)) {
            // A free-cursor column stays within the widest row the view shows.
            const int32_t limit = std::max(wrapWidth(), t.row(p.row).width);
            const int32_t excess = std::min(p.byteColumn - end, std::max(0, limit - t.endDisplayColumn(p.row)));
            p.byteColumn = end + excess;
            p.displayColumn = t.endDisplayColumn(p.row) + excess;
            return p;
        }
        p.byteColumn = end;
    }
    p.byteColumn = std::max(0, t.offsetOf(p.row, p.byteColumn) - t.row(p.row).offset);
    p.displayColumn = t.displayColumnAt(p.row, p.byteColumn);
    return p;
}

TextPosition CLuView::positionAtOffset(int32_t offset) const {
    const TextStore& t = m_doc.text();
    TextPosition p = t.positionOf(offset);
    if (p.row >= availableRows()) p = nav::rowEnd(t, std::max(0, availableRows() - 1));
    return p;
}

void CLuView::placeCursor(int32_t row, int32_t byteColumn) {
    m_cursor = clampedPosition({row, byteColumn, 0}, true);
}

void CLuView::placeCursorAtOffset(int32_t offset) { m_cursor = positionAtOffset(offset); }

void CLuView::moveTo(int32_t row, int32_t byteColumn, ScrollMode scroll) {
    placeCursor(row, byteColumn);
    updateCursor(true, scroll, moveSelection(false));
}

// ---- Viewport

void CLuView::setViewport(int32_t visibleRows, int32_t fullyVisibleRows, int32_t visibleColumns) {
    m_view.resize(visibleRows, fullyVisibleRows, visibleColumns);
}

void CLuView::scrollTo(int32_t topRow, int32_t leftColumn) {
    const ViewportState::Moved moved = m_view.scrollTo(topRow, leftColumn, availableRows());
    if (moved.any() && m_ctx.host) m_ctx.host->scrolled(moved.rows, moved.columns);
}

void CLuView::scrollIntoView(ScrollMode mode) {
    if (mode == ScrollMode::None) return;
    // The rules live with the other scrolling rules (step, margins, ruler
    // pitch rounding that never leaves the caret outside the view).
    const ViewGlobalOptions g = globalOptions();
    const Viewport v = m_view.rules(availableRows());
    const ScrollSettings s{g.scrlMrgn, g.rulaPitch, modeOptions().adjCol != 0};
    const ScrollPosition p =
        keepCaretVisible(v, m_cursor.row, m_cursor.displayColumn, s, mode == ScrollMode::Centred);
    scrollTo(p.topRow, p.leftColumn);
}

void CLuView::applyWrapWidth(int32_t wrapWidth, bool force) {
    // The caret and the selection stay at their places in the text (the
    // document's full layout calls documentRelaid, which restores them).
    rememberOffsets();
    m_doc.relayoutForWidth(wrapWidth, force, m_cursor);
    scrollIntoView(ScrollMode::Visible);
}

void CLuView::setSiblingPane(CLuView* other) {
    if (m_sibling && m_sibling->m_sibling == this) m_sibling->m_sibling = nullptr;
    m_sibling = (other && &other->m_doc == &m_doc && other != this) ? other : nullptr;
    if (m_sibling) m_sibling->m_sibling = this;
}

// ---- The cursor update

void CLuView::updateCursor(bool rememberColumn, ScrollMode scroll, SelectionUpdate selection) {
    if (m_doc.text().size() == 0 || m_doc.closing() || m_ctx.state->modalRunning) {
        stopAutoScroll();
        return;
    }
    const SelectionSnapshot before = snapshot();
    m_cursor = clampedPosition(m_cursor, true);
    // The desired column is taken before extending, so that a box selection
    // follows a horizontal move.
    if (rememberColumn) {
        m_desiredColumn = m_cursor.displayColumn;
        m_desiredRow = m_cursor.row;
    }
    applySelectionUpdate(selection);
    if (rememberColumn && (selection == SelectionUpdate::Settle || selection == SelectionUpdate::SetRange)) {
        m_desiredColumn = m_cursor.displayColumn;
        m_desiredRow = m_cursor.row;
    }
    scrollIntoView(scroll);
    refreshCaret();
    if (m_platform.ui) m_platform.ui->updateStatus();
    mirrorSelectionToSibling();
    repaintSelectionChange(before);
    rememberOffsets();
}

void CLuView::mirrorSelectionToSibling() {
    if (!m_sibling) return;
    CLuView& o = *m_sibling;
    o.m_sel = m_sel;
    o.repaintAll();
}

// ---- The document changed

void CLuView::resnapAfterChange() {
    // Row index and display column stay; they are only clamped to the rows
    // the document has now.
    const TextStore& t = m_doc.text();
    auto snap = [&](TextPosition& p) {
        p.row = std::clamp(p.row, 0, std::max(0, availableRows() - 1));
        const ColumnHit h = t.byteColumnAt(p.row, p.displayColumn, false, wrapWidth(), freeCursorOn(p.row));
        p.byteColumn = h.byteColumn;
        p.displayColumn = h.displayColumn;
    };
    const bool had = hasSelection();
    snap(m_cursor);
    if (had) {
        TextPosition anchorStart = m_sel.anchorStart(), anchorEnd = m_sel.anchorEnd(), moving = m_sel.moving();
        snap(anchorStart);
        snap(anchorEnd);
        snap(moving);
        m_sel.set(anchorStart, anchorEnd, moving);
    } else {
        m_sel.collapseTo(m_cursor);
    }
    m_view.clampTop(availableRows());
    m_desiredRow = std::clamp(m_desiredRow, 0, std::max(0, availableRows() - 1));
    rememberOffsets();
}

void CLuView::rememberOffsets() {
    const TextStore& t = m_doc.text();
    if (t.rowCount() == 0) return;
    m_saved.cursor = nav::offsetOf(t, m_cursor);
    m_saved.excess = std::max(0, m_cursor.byteColumn - t.endColumn(m_cursor.row));
    m_saved.selection = hasSelection();
    m_saved.anchorStart = nav::offsetOf(t, m_sel.anchorStart());
    m_saved.anchorEnd = nav::offsetOf(t, m_sel.anchorEnd());
    m_saved.moving = nav::offsetOf(t, m_sel.moving());
}

void CLuView::restoreOffsets() {
    const TextStore& t = m_doc.text();
    TextPosition c = positionAtOffset(m_saved.cursor);
    if (m_saved.excess > 0 && c.byteColumn == t.endColumn(c.row)) c.byteColumn += m_saved.excess;
    m_cursor = clampedPosition(c, true);
    if (m_saved.selection) {
        m_sel.set(positionAtOffset(m_saved.anchorStart), positionAtOffset(m_saved.anchorEnd),
                  positionAtOffset(m_saved.moving));
    } else {
        m_sel.collapseTo(m_cursor);
    }
    m_view.clampTop(availableRows());
    m_desiredRow = std::clamp(m_desiredRow, 0, std::max(0, availableRows() - 1));
}

void CLuView::documentEdited(CLuDoc&, const ChangeInfo&) {
    resnapAfterChange();
    if (m_ctx.host) {
        m_ctx.host->scrollSizesChanged();
        m_ctx.host->caretMoved();
    }
    repaintAll();
}

void CLuView::documentRowsChanged(CLuDoc&, int32_t first, int32_t last) { repaintRows(first, last); }

void CLuView::documentRelaid(CLuDoc&) {
    // The text is unchanged: every point keeps its place in the text.
    restoreOffsets();
    if (m_ctx.host) m_ctx.host->scrollSizesChanged();
    repaintAll();
}

}  // namespace orvex
