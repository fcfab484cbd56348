#pragma once
// The line-breaking rules, shared by the layout (rows of a view) and by
// formatting (lines of the reformatted text), so that the program has one
// implementation of kinsoku and word wrap.
//
// Given the rest of a line that does not fit, findLineBreak walks from the
// row start, TABs to the next tab stop, a double-byte character two columns
// (never split: it goes to the next row when it would pass the width), and
// cuts where the column reaches the width. Then, in this order of
// precedence:
//  - kinsoku, no-line-end rule: when the last character taken is in the
//    no-line-end set it moves to the next row (only that one character);
//  - word wrap: when the break falls on an ASCII letter (or digit), the run
//    of letters (or digits) cut by it moves whole to the next row, unless
//    the run starts the row;
//  - kinsoku, no-line-start rule: characters of the no-line-start set at the
//    break hang into the row while the hang budget (in columns, a
//    double-byte character costing 2) is positive; reaching the line's end
//    takes the line end into the row as well.
#include <cstdint>

#include "display/CharSet.h"

namespace orvex {

struct LineBreakRules {
    int tabWidth = 4;      // columns, at least 1
    int hangColumns = 1;   // budget of the no-line-start rule
    bool kinsoku = false;
    bool wordWrap = false;
    const CharSet* noLineStart = nullptr;  // required with kinsoku
    const CharSet* noLineEnd = nullptr;    // required with kinsoku
};

struct LineBreak {
    int32_t offset;     // first byte of the next row
    int32_t columns;    // column reached at the break (from column 0 of the line's row)
    bool lineEndTaken;  // the rest of the line, line end included, stays in the row
};

// Break of the row that starts at rowStart, at column startColumn (what
// precedes the row's text on its output line, 0 for the layout), inside
// line content that ends at contentEnd; the row may not pass `width`
// columns. mayHoldTab false promises that [rowStart, contentEnd) holds no
// TAB (every byte is then one column). The row always takes at least one
// character.
LineBreak findLineBreak(const uint8_t* t, int32_t rowStart, int32_t contentEnd, int32_t width, int32_t startColumn,
                        bool mayHoldTab, const LineBreakRules& rules);

}  // namespace orvex
