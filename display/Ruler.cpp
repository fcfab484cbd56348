#include "display/Ruler.h"

namespace orvex {

void rulerTicks(int32_t leftColumn, int32_t visibleColumns, int pitch, bool raised, std::vector<RulerTick>& out) {
    out.clear();
    if (pitch < 1) pitch = 1;
    if (leftColumn < 0) leftColumn = 0;
    if (visibleColumns < 0) return;
    const int64_t last = int64_t(leftColumn) + visibleColumns;
    // First boundary at or right of leftColumn, and not column 0 itself.
    int64_t m = (int64_t(leftColumn) + pitch - 1) / pitch;
    if (m == 0) m = 1;
    for (; m * pitch <= last; ++m) {
        RulerTick t{int32_t(m * pitch), TickKind::Short, 0};
        if (m % 10 == 0) {
            if (raised) {
                t.kind = TickKind::Digit;
                t.digit = char('0' + (m / 10) % 10);
            } else {
                t.kind = TickKind::Long;
            }
        }
        out.push_back(t);
    }
}

int32_t rulerHeight(bool rulaDisp, int rulaType) {
    if (!rulaDisp) return 0;
    return rulaType == 1 ? 15 : 6;
}

int32_t caretMarkerColumn(int32_t caretColumn, int32_t leftColumn, int32_t visibleColumns) {
    const int32_t c = caretColumn - leftColumn;
    return c >= 0 && c < visibleColumns ? c : -1;
}

}  // namespace orvex
