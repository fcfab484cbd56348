#pragma once
// The line-number gutter left of the text.
//
// With numbers shown (LineNoDisp 1: logical line numbers, printed on the
// first row of each logical line only; 2: display row numbers) the gutter
// is the number field plus one blank cell: 5 digits below 100,000 rows, 6
// below 1,000,000, 7 below 10,000,000 and 8 beyond (the largest text has
// fewer than 100,000,000 rows), so the gutter is 6, 7, 8 or 9 cells wide.
// Numbers of modified rows are drawn in LineNo2Color, others in
// LineNoColor, on WindowColor; a marked row shows its number field in
// inverse (WindowColor on LineNoColor), the blank cell after it in the
// normal colours. A vertical separator in LineNoColor runs half a cell
// right of the number field.
//
// Without numbers the gutter is one cell: a marked row shows a narrow bar
// in CRColor; otherwise a modified row shows one in LineNo2Color when that
// colour is set.
#include <cstdint>
#include <string>

#include "display/ColourTable.h"

namespace orvex {

// Digits of the number field for a document of rowCount rows.
int32_t gutterDigits(int32_t rowCount);
// Gutter width in cells (LeftSpace not included).
int32_t gutterCells(int lineNoDisp, int32_t rowCount);
// Gutter width in pixels, LeftSpace (quarter columns) included.
int32_t gutterPixels(int lineNoDisp, int32_t rowCount, int32_t charWidth, int leftSpace);

struct GutterRow {
    std::string text;        // the number field (digits right-aligned, or blanks); empty without numbers
    Colour textColour = 0;
    Colour textBackground = 0;
    Colour background = 0;   // the rest of the gutter
    bool bar = false;        // without numbers: the narrow bar
    Colour barColour = 0;
    bool separator = false;  // with numbers: the separator line
    Colour separatorColour = 0;
};

// What the gutter needs to know about one display row.
struct GutterSource {
    int32_t row = 0;           // display row index
    int32_t line = 0;          // Row::line
    bool firstOfLine = true;   // the row starts its logical line
    int32_t flags = 0;         // Row::flags
};

void gutterRow(int lineNoDisp, int32_t rowCount, const GutterSource& src, const ColourTable& colours, GutterRow& out);

// Position of the separator, in half cells from the gutter's left edge.
inline int32_t separatorHalfCells(int32_t rowCount) { return 2 * gutterDigits(rowCount) + 1; }

}  // namespace orvex
