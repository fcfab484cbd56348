#pragma once
// Character steps and position queries over a document's rows, in the
// terms of cursor positions: a row, a byte column in it and the display
// column beside it.
//
// A byte column runs from 0 to the row's end column: on the last row of a
// logical line the end column is the position just before the line end,
// on a continuation row it is the row's length (the same text offset as
// byte 0 of the next row, shown at the end of the row). A column beyond
// the end column is a free-cursor position: end column + the columns
// beyond. Steps never stop inside a double-byte character: backward steps
// walk forward from the row start.
#include <cstdint>

#include "text/TextPosition.h"
#include "text/TextStore.h"

namespace orvex::nav {

// Fills in the display column of (row, byteColumn).
TextPosition at(const TextStore& t, int32_t row, int32_t byteColumn);
// Start of row r, end of row r (its end column).
inline TextPosition rowStart(const TextStore& t, int32_t r) { return {r, 0, 0}; }
TextPosition rowEnd(const TextStore& t, int32_t r);

// Row r ends its logical line; row r begins one.
bool endsLine(const TextStore& t, int32_t r);
bool beginsLine(const TextStore& t, int32_t r);
// Beyond the row's end column (a free-cursor position).
bool beyondEnd(const TextStore& t, const TextPosition& p);
// At the end column of a row that ends its logical line (before its line
// end, or before the NUL on the last row).
bool atLineEnd(const TextStore& t, const TextPosition& p);
// At the NUL that ends the text.
bool atTextEnd(const TextStore& t, const TextPosition& p);

// Text offset of a position; free-cursor columns count as the row end.
int32_t offsetOf(const TextStore& t, const TextPosition& p);
// Orders two positions by row, then byte column.
inline bool before(const TextPosition& a, const TextPosition& b) {
    return a.row < b.row || (a.row == b.row && a.byteColumn < b.byteColumn);
}

// Byte column of the character before byte column b of row r (b > 0).
int32_t previousCharColumn(const TextStore& t, int32_t r, int32_t b);

// One character right: past the character at p (two bytes for a lead
// byte), or from the end of a row to the start of the next. Rows at and
// beyond availableRows are out of reach. False at the end.
bool stepRight(const TextStore& t, TextPosition& p, int32_t availableRows);
// One character left, or from the start of a row to the end of the
// previous one. False at row 0, byte 0.
bool stepLeft(const TextStore& t, TextPosition& p);

// Word class of the character at p (character classes 0-8); positions
// beyond the row end count as blank, and so does a line end when
// lineEndIsBlank is set (otherwise a line end has the class of its byte).
int classAt(const TextStore& t, const TextPosition& p, bool lineEndIsBlank);

// The end of a continuation row is shown as the start of the next row.
TextPosition normalised(const TextStore& t, TextPosition p, int32_t availableRows);

// Text offset one character after or before offset; a CR with its LFs, or
// a FF, is one character. nextChar stops at the NUL, previousChar at 0.
int32_t nextCharOffset(const TextStore& t, int32_t offset);
int32_t previousCharOffset(const TextStore& t, int32_t offset);

}  // namespace orvex::nav
