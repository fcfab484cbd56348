#pragma once
// The viewport of a view: the first row and column it shows and the size
// of its text area in rows and columns, as the widget reports it.
//
// Invariants after every call (checked by assert):
//  - visibleRows() >= 1, 1 <= fullyVisibleRows() <= visibleRows() (the
//    last row may be cut off), visibleColumns() >= 1;
//  - topRow() >= 0 and leftColumn() >= 0;
//  - after scrollTo or clampTop with the rows available to the cursor,
//    topRow() <= maxTopRow(those rows): the view may scroll until the last
//    available row is its first row, never further. The rows change with
//    the text; the view clamps again after every change.
#include <cstdint>

#include "display/ScrollRules.h"

namespace orvex {

class ViewportState {
public:
    int32_t topRow() const { return m_topRow; }
    int32_t leftColumn() const { return m_leftColumn; }
    int32_t visibleRows() const { return m_visibleRows; }
    int32_t fullyVisibleRows() const { return m_fullRows; }
    int32_t visibleColumns() const { return m_visibleColumns; }

    // A new text area size; each value is brought into its range (at least
    // one row and column, fully visible rows not beyond the visible rows).
    void resize(int32_t visibleRows, int32_t fullyVisibleRows, int32_t visibleColumns);

    // The highest first row with availableRows rows.
    static int32_t maxTopRow(int32_t availableRows) { return availableRows > 1 ? availableRows - 1 : 0; }

    // How far a scroll moved (rows and columns, signed).
    struct Moved {
        int32_t rows = 0;
        int32_t columns = 0;
        bool any() const { return rows != 0 || columns != 0; }
    };
    // Scrolls to a first row and column, clamped; tells how far it moved.
    Moved scrollTo(int32_t topRow, int32_t leftColumn, int32_t availableRows);
    // Brings the first row back within the available rows (after the text
    // changed); the column stays.
    void clampTop(int32_t availableRows);

    // The fully visible rows are [topRow, lastFullRow()].
    int32_t lastFullRow() const { return m_topRow + m_fullRows - 1; }
    bool showsRowFully(int32_t row) const { return row >= m_topRow && row <= lastFullRow(); }
    // The viewport in the terms of the scrolling rules.
    Viewport rules(int32_t availableRows) const {
        return {m_topRow, m_leftColumn, m_visibleColumns, m_fullRows, availableRows};
    }

private:
    void check() const;

    int32_t m_topRow = 0;
    int32_t m_leftColumn = 0;
    int32_t m_visibleRows = 1;
    int32_t m_fullRows = 1;
    int32_t m_visibleColumns = 80;
};

}  // namespace orvex
