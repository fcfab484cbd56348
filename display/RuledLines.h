#pragma once
// Ruled-line characters: lines and boxes drawn into the text with the
// mouse, one stroke cell at a time, each cell merged with the ruled-line
// character it replaces into the right junction. Pure functions over the
// Shift JIS content of display rows (no line ends); the view turns a drag
// into a shape and replaces the rows' text in one edit.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::ruled {

// What part of a shape a cell is.
enum Stroke : int {
    kMiddle = 0,       // middle of a horizontal line
    kLeftEnd = 1,
    kRightEnd = 2,
    kVertical = 3,     // vertical line
    kTopEnd = 4,
    kBottomEnd = 5,
    kTopLeft = 6,      // corners
    kTopRight = 7,
    kBottomLeft = 8,
    kBottomRight = 9,
};
// A segment without a corner or vertical code: a plain horizontal line.
constexpr int kNoCorner = -1;

// The character set a shape is drawn with: thin or thick full-width box
// characters (cells of 2 columns), or the half-width "-", "|" and "+"
// (cells of 1 column).
enum class Pen { Thin, Thick, HalfWidth };
constexpr int32_t cellWidth(Pen pen) { return pen == Pen::HalfWidth ? 1 : 2; }

// The 32 full-width junction characters, 0x849F-0x84BE.
constexpr uint16_t kFirstJunction = 0x849F;
constexpr uint16_t kLastJunction = 0x84BE;
constexpr bool isJunction(uint16_t code) { return code >= kFirstJunction && code <= kLastJunction; }

// The character the pen draws for a stroke code (a Shift JIS code; the
// half-width ones below 0x100).
uint16_t penCharacter(Pen pen, int stroke);

// The character a cell drawn with `drawn` (penCharacter(pen, stroke))
// becomes over the character `existing` that starts at the cell's column
// (0 when none starts there: a blank, the row's end, or the second half of
// a double-byte character).
uint16_t mergeCell(uint16_t existing, uint16_t drawn, int stroke, Pen pen);

// One row with a segment drawn into it, from the cell at startColumn to the
// cell at endColumn (display columns, endColumn >= startColumn, both cell
// starts). `code` is kNoCorner (a horizontal line with its two ends), a
// corner code kTopLeft or kBottomLeft (the row of a box), or kVertical,
// kTopEnd or kBottomEnd (a one-cell vertical piece). A short row is padded
// with blanks; a TAB or double-byte character cut by the segment's edges
// becomes blanks so that the columns behind stay in place.
std::string drawSegment(std::string_view row, int32_t startColumn, int32_t endColumn, int code, Pen pen,
                        int32_t tabWidth);
// The same cells made blanks.
std::string eraseSegment(std::string_view row, int32_t startColumn, int32_t endColumn, Pen pen, int32_t tabWidth);

// A shape between two cells of a drag, rows and stroke columns ordered.
struct Shape {
    int32_t topRow = 0;
    int32_t bottomRow = 0;
    int32_t leftColumn = 0;   // display column of the left cell
    int32_t rightColumn = 0;  // display column of the right cell
    bool horizontal() const { return topRow == bottomRow; }
    bool vertical() const { return !horizontal() && leftColumn == rightColumn; }
    friend bool operator==(const Shape&, const Shape&) = default;
};
// The shape of a drag from (row0, column0) to (row1, column1): columns are
// put on the cell grid of the pen (even columns for full-width cells).
Shape shapeBetween(int32_t row0, int32_t column0, int32_t row1, int32_t column1, Pen pen);

// New contents of the rows topRow..bottomRow (rows[0] is the top row's
// content): the shape drawn (a line, or a box with its corners) or erased.
std::vector<std::string> drawShape(const std::vector<std::string_view>& rows, const Shape& shape, Pen pen,
                                   int32_t tabWidth);
std::vector<std::string> eraseShape(const std::vector<std::string_view>& rows, const Shape& shape, Pen pen,
                                    int32_t tabWidth);

}  // namespace orvex::ruled
