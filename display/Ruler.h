#pragma once
// The ruler above the text: ticks at the column boundaries that are
// multiples of RulaPitch. Counting ticks from the first boundary right of
// column 0, every tenth tick (boundary 10 x pitch, 20 x pitch ...) is long
// in the flat style and shows a digit in the raised style: 1 at the tenth
// tick, 2 at the twentieth ... 0 at the hundredth. Other ticks are short.
// A marker follows the caret's column.
#include <cstdint>
#include <vector>

namespace orvex {

enum class TickKind : uint8_t { Short, Long, Digit };

struct RulerTick {
    int32_t column;  // the boundary at the left edge of this document column
    TickKind kind;
    char digit;      // '0'..'9' for Digit, else 0
    friend bool operator==(const RulerTick&, const RulerTick&) = default;
};

// Ticks whose boundary lies within the visible columns
// [leftColumn, leftColumn + visibleColumns].
void rulerTicks(int32_t leftColumn, int32_t visibleColumns, int pitch, bool raised, std::vector<RulerTick>& out);

// Ruler height in pixels: 15 in the raised style, 6 in the flat one, 0
// when the ruler is off.
int32_t rulerHeight(bool rulaDisp, int rulaType);

// Screen column of the caret marker, or -1 when the caret column is
// scrolled out of the visible columns.
int32_t caretMarkerColumn(int32_t caretColumn, int32_t leftColumn, int32_t visibleColumns);

}  // namespace orvex
