// Stream and box selection of a view: the four selection updates, collapse,
// and what the selection holds.
//
// The selection is kept as an anchor (start and end; equal for a plain
// anchor, a whole word or line after a word or line selection) and a moving
// end that follows the cursor. A selection exists when the anchor start and
// the moving end differ. With an anchor range the selection always covers
// the whole range: it runs from the moving end to the anchor end when the
// moving end lies before the range, so that what is shown while dragging
// backwards from a double-clicked word is what settling keeps.
#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "text/CLuView.h"
#include "text/CursorSteps.h"

namespace orvex {

namespace {
bool samePlace(const TextPosition& a, const TextPosition& b) { return a.row == b.row && a.byteColumn == b.byteColumn; }
}  // namespace

bool CLuView::hasSelection() const {
    return m_anchorStart.row != m_moving.row || m_anchorStart.displayColumn != m_moving.displayColumn;
}

bool CLuView::anchorIsRange() const { return !samePlace(m_anchorStart, m_anchorEnd); }

void CLuView::setAnchorHere() {
    m_anchorStart = m_anchorEnd = m_moving = m_cursor;
    recomputeSelection();
}

void CLuView::recomputeSelection() {
    if (anchorIsRange()) {
        m_selStart = nav::before(m_moving, m_anchorStart) ? m_moving : m_anchorStart;
        m_selEnd = nav::before(m_anchorEnd, m_moving) ? m_moving : m_anchorEnd;
    } else if (nav::before(m_moving, m_anchorStart)) {
        m_selStart = m_moving;
        m_selEnd = m_anchorStart;
    } else {
        m_selStart = m_anchorStart;
        m_selEnd = m_moving;
    }
}

void CLuView::applySelectionUpdate(SelectionUpdate mode) {
    switch (mode) {
    case SelectionUpdate::Clear: {
        // Ending a selection ends its box form too: box mode returns to its
        // setting. A cursor move without a selection leaves a box mode just
        // switched on for the selection to come.
        const bool had = hasSelection();
        m_anchorStart = m_anchorEnd = m_moving = m_cursor;
        if (had) m_ctx.state->boxMode = globalOptions().boxSel != 0;
        m_viewBox = false;
        break;
    }
    case SelectionUpdate::Extend: {
        m_anchorStart = clampedPosition(m_anchorStart, true);
        m_anchorEnd = clampedPosition(m_anchorEnd, true);
        if (anchorIsRange() && !nav::before(m_cursor, m_anchorStart) && !nav::before(m_anchorEnd, m_cursor))
            m_moving = m_anchorEnd;
        else
            m_moving = m_cursor;
        // A box keeps the desired column on rows shorter than it.
        if (boxSelection() && m_anchorStart.row != m_moving.row) m_moving.displayColumn = m_desiredColumn;
        break;
    }
    case SelectionUpdate::Settle:
        if (hasSelection() && anchorIsRange()) {
            if (nav::before(m_moving, m_anchorStart)) m_anchorStart = m_anchorEnd;
            else if (!nav::before(m_anchorEnd, m_moving)) m_moving = m_anchorEnd;
            m_anchorEnd = m_anchorStart;
            m_cursor = m_moving;
        }
        break;
    case SelectionUpdate::SetRange:
        if (!nav::before(m_anchorStart, m_cursor)) {
            m_anchorEnd = m_anchorStart;
            m_anchorStart = m_cursor;
        } else {
            m_anchorEnd = m_cursor;
        }
        m_moving = m_anchorEnd;
        m_cursor = m_anchorStart;
        break;
    }
    recomputeSelection();
}

void CLuView::collapse(bool toStart) {
    if (toStart) {
        m_cursor = clampedPosition(m_selStart, true);
        return;
    }
    if (boxSelection()) {
        const BoxRect box = boxRect();
        const ColumnHit h =
            m_doc.text().byteColumnAt(box.bottom, box.right, false, wrapWidth(), freeCursorOn(box.bottom));
        m_cursor = {box.bottom, h.byteColumn, h.displayColumn};
        return;
    }
    m_cursor = clampedPosition(m_selEnd, true);
}

void CLuView::clearSelection() {
    if (!hasSelection() && !m_viewBox) return;
    updateCursor(false, ScrollMode::None, SelectionUpdate::Clear);
}

BoxRect CLuView::boxRect() const {
    BoxRect b;
    b.top = std::min(m_anchorStart.row, m_moving.row);
    b.bottom = std::max(m_anchorStart.row, m_moving.row);
    b.left = std::min(m_anchorStart.displayColumn, m_moving.displayColumn);
    b.right = std::max(m_anchorStart.displayColumn, m_moving.displayColumn);
    return b;
}

int32_t CLuView::selectionStartOffset() const { return nav::offsetOf(m_doc.text(), m_selStart); }
int32_t CLuView::selectionEndOffset() const { return nav::offsetOf(m_doc.text(), m_selEnd); }

std::vector<CLuView::RowPart> CLuView::boxParts() const {
    // A character belongs to the box when it starts at or right of the left
    // column and left of the right column; characters are never split.
    const TextStore& t = m_doc.text();
    const BoxRect box = boxRect();
    std::vector<RowPart> parts;
    const int32_t last = std::min(box.bottom, availableRows() - 1);
    for (int32_t r = box.top; r <= last; ++r) {
        const uint8_t* p = t.bytes() + t.row(r).offset;
        const int32_t end = t.endColumn(r);
        int32_t i = 0, col = 0, from = -1, to = -1;
        while (i < end) {
            const int len = sjis::step(p + i);
            if (col >= box.right) break;
            if (col >= box.left) {
                if (from < 0) from = i;
                to = i + len;
            }
            col = sjis::advance(p + i, col, t.tabWidth());
            i += len;
        }
        if (from < 0) from = to = std::min(i, end);
        parts.push_back({r, from, std::min(to, end)});
    }
    return parts;
}

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

CLuView::SelectionSnapshot CLuView::snapshot() const { return {m_selStart, m_selEnd, m_cursor, hasSelection()}; }

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
        first = std::min({first, m_selStart.row, m_anchorStart.row, m_moving.row});
        last = std::max({last, m_selEnd.row, m_anchorStart.row, m_moving.row});
    }
    repaintRows(first, last);
}

}  // namespace orvex
