#pragma once
// The visible part of a painted row as runs of equal attribute, each drawn
// with one text-output call in its own colours.
//
// The cells left of the first visible column are skipped without ever
// splitting a double-byte character: when the first visible column holds
// the second half of one, the run starts one cell earlier and is drawn one
// column left of the text area (the widget clips it). Likewise a
// double-byte character cut by the right edge is taken whole.
#include <cstdint>
#include <vector>

#include "display/ColourTable.h"
#include "display/RowAttributes.h"

namespace orvex {

struct AttrRun {
    int32_t cell;        // first cell in RowAttributes::cells()
    int32_t length;      // cells (= bytes)
    int32_t column;      // screen column of the first cell: cell - first visible column (-1 at most)
    uint8_t attribute;
    Colour foreground;
    Colour background;
    friend bool operator==(const AttrRun&, const AttrRun&) = default;
};

class RowRuns {
public:
    // Runs of the cells of `row` visible from document column leftColumn
    // over visibleColumns columns.
    void build(const RowAttributes& row, const ColourTable& colours, int32_t leftColumn, int32_t visibleColumns);

    const std::vector<AttrRun>& runs() const { return m_runs; }
    // Screen column of a document column.
    int32_t screenColumn(int32_t column) const { return column - m_left; }

private:
    std::vector<AttrRun> m_runs;
    int32_t m_left = 0;
};

}  // namespace orvex
