// Scrolling by pages, fractions of a page and rows, with the cursor moving
// by the rows scrolled.
#include <algorithm>

#include "text/CLuView.h"
#include "text/ViewCommandIds.h"

namespace orvex {

int32_t CLuView::speedCount() const {
    // A held key moves faster: twice after 10 repeats, four times after 40.
    if (!globalOptions().keySpdUp) return 1;
    if (m_heldCount > 40) return 4;
    if (m_heldCount > 10) return 2;
    return 1;
}

void CLuView::scrollCommand(ScrollStep kind, int direction, bool extend, int32_t count) {
    const ViewGlobalOptions g = globalOptions();
    const int32_t visible = fullyVisibleRows();  // at least 1
    const int32_t last = std::max(0, availableRows() - 1);
    int32_t fraction = 0;
    switch (kind) {
    case ScrollStep::Half: fraction = 2; break;
    case ScrollStep::Quarter: fraction = 4; break;
    case ScrollStep::Eighth: fraction = 8; break;
    default: break;
    }
    const int32_t step = kind == ScrollStep::Page ? visible : kind == ScrollStep::Row ? 1 : std::max(1, visible / fraction);
    count = std::max(1, count);
    const SelectionUpdate sel = moveSelection(extend);

    // PageUpDown2: a cursor in the half of the window the page goes towards
    // is first brought to the middle instead.
    if (g.pageUpDown2 && kind != ScrollStep::Row) {
        const int32_t middle = topRow() + visible / 2;
        if ((direction < 0 && m_cursor.row < middle) || (direction > 0 && m_cursor.row > middle)) {
            scrollTo(std::max(0, m_cursor.row - visible / 2), leftColumn());
            updateCursor(false, ScrollMode::None, sel);
            return;
        }
    }

    // Downwards the view stops ScrlMrgn rows before the last row.
    const int32_t maxTop = std::max(0, last - std::max(0, g.scrlMrgn));
    const int32_t top = std::clamp(topRow() + direction * step * count, 0, std::max(topRow(), maxTop));
    const int32_t moved = direction < 0 ? std::min(0, top - topRow()) : std::max(0, top - topRow());
    int32_t rows = moved;
    if (moved != 0) {
        scrollTo(topRow() + moved, leftColumn());
    } else {
        // The view cannot scroll further: only the cursor moves.
        int32_t by = 1;
        if (kind == ScrollStep::Page) {
            by = g.scrlHalf == 0 ? visible - 1 : g.scrlHalf == 1 ? visible / 2 : visible - g.scrlMrgn - 1;
        } else if (kind != ScrollStep::Row) {
            by = visible / fraction;
        }
        rows = direction * std::max(1, by) * count;
    }
    const int32_t row = std::clamp(m_cursor.row + rows, 0, last);
    m_cursor = atDesiredColumn(row, m_desiredColumn);
    // A cursor that moved with the view keeps its place in the window; the
    // scroll margins apply only when it would leave it.
    const bool inView = m_view.showsRowFully(row);
    updateCursor(false, inView ? ScrollMode::None : ScrollMode::Visible, sel);
}

void CLuView::cmdScroll(CommandId id) {
    const int32_t n = speedCount();
    switch (id) {
    case cmd::kPageUp: scrollCommand(ScrollStep::Page, -1, false, n); break;
    case cmd::kPageDown: scrollCommand(ScrollStep::Page, 1, false, n); break;
    case cmd::kSelectPageUp: scrollCommand(ScrollStep::Page, -1, true, n); break;
    case cmd::kSelectPageDown: scrollCommand(ScrollStep::Page, 1, true, n); break;
    case cmd::kHalfPageUp: scrollCommand(ScrollStep::Half, -1, false, n); break;
    case cmd::kHalfPageDown: scrollCommand(ScrollStep::Half, 1, false, n); break;
    case cmd::kQuarterPageUp: scrollCommand(ScrollStep::Quarter, -1, false, n); break;
    case cmd::kQuarterPageDown: scrollCommand(ScrollStep::Quarter, 1, false, n); break;
    case cmd::kEighthPageUp: scrollCommand(ScrollStep::Eighth, -1, false, n); break;
    case cmd::kEighthPageDown: scrollCommand(ScrollStep::Eighth, 1, false, n); break;
    case cmd::kRowScrollUp: scrollCommand(ScrollStep::Row, -1, false, n); break;
    case cmd::kRowScrollDown: scrollCommand(ScrollStep::Row, 1, false, n); break;
    default: break;
    }
}

}  // namespace orvex
