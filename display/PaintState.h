#pragma once
// What painting needs to know about a view besides its rows: the settings
// that hold for the whole paint (RenderSetup) and the view's state
// (ViewPaintState: caret row, selection, focus, highlight string). Both are
// plain data that the view widget fills from the view before it paints.
#include <cstdint>
#include <string_view>

#include "display/ColourTable.h"
#include "display/KeywordMatcher.h"
#include "display/RenderOptions.h"

namespace orvex {

struct RenderSetup {
    const ColourTable* colours = nullptr;      // required
    const RenderOptions* options = nullptr;    // required
    const KeywordMatcher* keywords = nullptr;  // null: no keyword colouring
    int32_t tabWidth = 4;                      // columns
    // Columns the row background reaches at least: the wrap width, plus
    // the hang limit when kinsoku is on.
    int32_t fillColumns = 0;
};

// The selection in rows and columns. A stream selection runs from
// (startRow, startByte) to (endRow, endByte) in text order; a box selection
// covers the rows startRow..endRow and the display columns [left, right),
// taking the characters that start inside that range.
struct SelectionPoints {
    bool active = false;
    bool box = false;
    int32_t startRow = 0;
    int32_t startByte = 0;
    int32_t endRow = 0;
    int32_t endByte = 0;
    int32_t left = 0;
    int32_t right = 0;

    // The selection extends over several rows (this hides the caret line).
    bool spansRows() const { return active && startRow != endRow; }
    bool coversRow(int32_t row) const { return active && row >= startRow && row <= endRow; }
};

struct ViewPaintState {
    int32_t caretRow = -1;
    SelectionPoints selection;
    bool focused = true;
    bool ruledLineDrag = false;    // a ruled line is being drawn with the mouse
    bool transientScroll = false;  // just focused or scrolling: the caret line is not drawn
    std::string_view highlight;    // the last search string (Shift JIS), empty: none
    bool highlightMatchCase = false;
};

}  // namespace orvex
