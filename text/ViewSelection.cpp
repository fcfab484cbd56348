// Stream and box selection of a view: the four selection updates, collapse,
// and what the selection holds. The selection's state and its rules (the
// anchor, the moving end, start and end in text order, the box parts) are
// SelectionState's (text/SelectionState.h); the view clamps positions,
// knows the box mode and the desired column, and repaints.
#include <algorithm>

#include "text/CLuView.h"
#include "text/CursorSteps.h"

namespace orvex {

void CLuView::endSelectionAtCursor() {
    // Ending a selection ends its box form too: box mode returns to its
    // setting. A cursor move without a selection leaves a box mode just
    // switched on for the selection to come.
    const bool had = hasSelection();
    m_sel.collapseTo(m_cursor);
    if (had) m_ctx.state->boxMode = globalOptions().boxSel != 0;
    m_sel.setViewBox(false);
}

void CLuView::applySelectionUpdate(SelectionUpdate mode) {
    switch (mode) {
    case SelectionUpdate::Clear: endSelectionAtCursor(); break;
    case SelectionUpdate::Extend:
        m_sel.set(clampedPosition(m_sel.anchorStart(), true), clampedPosition(m_sel.anchorEnd(), true), m_sel.moving());
        m_sel.extendTo(m_cursor, boxSelection(), m_desiredColumn);
        break;
    case SelectionUpdate::Settle: m_cursor = m_sel.settle(m_cursor); break;
    case SelectionUpdate::SetRange: m_cursor = m_sel.setRange(m_cursor); break;
    }
}

void CLuView::collapse(bool toStart) {
    if (toStart) {
        m_cursor = clampedPosition(m_sel.start(), true);
        return;
    }
    if (boxSelection()) {
        const BoxRect box = boxRect();
        const ColumnHit h =
            m_doc.text().byteColumnAt(box.bottom, box.right, false, wrapWidth(), freeCursorOn(box.bottom));
        m_cursor = {box.bottom, h.byteColumn, h.displayColumn};
        return;
    }
    m_cursor = clampedPosition(m_sel.end(), true);
}

void CLuView::clearSelection() {
    if (!hasSelection() && !m_sel.viewBox()) return;
    updateCursor(false, ScrollMode::None, SelectionUpdate::Clear);
}

int32_t CLuView::selectionStartOffset() const { return nav::offsetOf(m_doc.text(), m_sel.start()); }
int32_t CLuView::selectionEndOffset() const { return nav::offsetOf(m_doc.text(), m_sel.end()); }

std::string CLuView::selectedText() const {
    if (!hasSelection()) return {};
    const TextStore& t = m_doc.text();
    if (boxSelection()) {
        std::string out;
        bool first = true;
        for (const RowPart& part : boxParts()) {
            if (!first) out += "\r\n";
            first = false;
            out.append(t.pointer(part.row, part.from), size_t(part.to - part.from));
        }
        return out;
    }
    const int32_t a = selectionStartOffset(), b = selectionEndOffset();
    return std::string(t.data() + a, size_t(std::max(0, b - a)));
}

CLuView::SelectionSnapshot CLuView::snapshot() const { return {m_sel.start(), m_sel.end(), m_cursor, hasSelection()}; }

void CLuView::repaintSelectionChange(const SelectionSnapshot& before) {
    // The rows of the old and the new selection and both caret rows (the
    // caret row is underlined).
    int32_t first = std::min(before.cursor.row, m_cursor.row);
    int32_t last = std::max(before.cursor.row, m_cursor.row);
    if (before.any) {
        first = std::min(first, before.start.row);
        last = std::max(last, before.end.row);
    }
    if (hasSelection()) {
        first = std::min({first, m_sel.start().row, m_sel.anchorStart().row, m_sel.moving().row});
        last = std::max({last, m_sel.end().row, m_sel.anchorStart().row, m_sel.moving().row});
    }
    repaintRows(first, last);
}

}  // namespace orvex
