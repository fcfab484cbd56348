#include "display/RowRuns.h"

#include <algorithm>

namespace orvex {

void RowRuns::build(const RowAttributes& row, const ColourTable& colours, int32_t leftColumn, int32_t visibleColumns) {
    m_runs.clear();
    m_left = std::max<int32_t>(0, leftColumn);
    const int32_t columns = row.columns();
    int32_t from = m_left;
    if (from >= columns || visibleColumns <= 0) return;
    if (row.kind(from) == RowAttributes::kTrail) --from;
    int32_t to = std::min(columns, m_left + visibleColumns);
    if (to > from && to < columns && row.kind(to - 1) == RowAttributes::kLead) ++to;

    const uint8_t* a = row.attributes();
    int32_t c = from;
    while (c < to) {
        const uint8_t v = a[c];
        int32_t e = c + 1;
        while (e < to && a[e] == v) ++e;
        m_runs.push_back({c, e - c, c - m_left, v, colours.foreground(v), colours.background(v)});
        c = e;
    }
}

}  // namespace orvex
