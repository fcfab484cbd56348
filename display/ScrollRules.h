#pragma once
// Scrolling rules of a view in rows and columns: keeping the caret
// visible, the scroll bars, the mouse wheel and the caret's place after a
// horizontal scroll-bar move. Pure functions; the view applies the results.
#include <cstdint>

namespace orvex {

// The viewport: first row and column, how many columns are visible
// (rounded up), how many rows are fully visible, and the rows cursor
// movement may reach.
struct Viewport {
    int32_t topRow = 0;
    int32_t leftColumn = 0;
    int32_t visibleColumns = 1;
    int32_t fullRows = 1;
    int32_t availableRows = 1;
};

struct ScrollSettings {
    int scrlMrgn = 1;     // ScrlMrgn
    int rulaPitch = 1;    // RulaPitch
    bool adjCol = false;  // AdjCol of the mode: no horizontal margin
};

// ---- Keeping the caret visible

// Columns a horizontal scroll moves at least: 8 when the visible columns
// (cut down to a multiple of 4) exceed 32, 1 below 5, else a quarter.
int32_t horizontalStep(int32_t visibleColumns);
// ScrlMrgn, at most a quarter of the columns; 0 while wrapping at the
// window width.
int32_t horizontalMargin(const ScrollSettings& s, int32_t visibleColumns);
// ScrlMrgn, at most (fully visible rows - 2) / 2.
int32_t verticalMargin(const ScrollSettings& s, int32_t fullRows);

struct ScrollPosition {
    int32_t topRow;
    int32_t leftColumn;
    friend bool operator==(const ScrollPosition&, const ScrollPosition&) = default;
};

// First row and column that show the caret (row, display column) with the
// margins. Columns: left of the margin the view goes back to a multiple of
// the step; at or beyond the right margin it goes right by the step; with
// RulaPitch 2 or more the column is rounded to the pitch (down going left,
// up going right) unless that would leave the caret outside the view.
// Rows: the caret is kept the margin away from the edges; with centre
// (scroll mode 2) a row that needs scrolling is put in the middle instead.
// The top row never passes the last available row. An unchanged result
// means nothing scrolls.
ScrollPosition keepCaretVisible(const Viewport& v, int32_t caretRow, int32_t caretColumn, const ScrollSettings& s,
                                bool centre);

// ---- Scroll bars

struct ScrollBarSpec {
    int32_t maximum = 0;     // minimum is 0
    int32_t pageStep = 1;
    int32_t singleStep = 1;
    friend bool operator==(const ScrollBarSpec&, const ScrollBarSpec&) = default;
};

// Rows: the view scrolls until the last available row is at the top; a
// line is one row, a page the fully visible rows.
ScrollBarSpec verticalScrollBar(int32_t availableRows, int32_t fullRows);
// Columns: positions are multiples of RulaPitch; the range reaches the
// widest row (contentColumns) with the visible columns; a line is one
// pitch, a page the visible columns cut down to the pitch (at least one
// pitch).
ScrollBarSpec horizontalScrollBar(int32_t contentColumns, int32_t visibleColumns, int rulaPitch);
// A horizontal position cut down to a multiple of RulaPitch.
int32_t snapColumn(int32_t column, int rulaPitch);
// A top row within 0 .. last available row.
int32_t clampTopRow(int32_t row, int32_t availableRows);

// After the horizontal scroll bar moved: the caret's display column
// brought back into the visible columns (unchanged when it is inside).
int32_t caretColumnInView(int32_t caretColumn, int32_t leftColumn, int32_t visibleColumns);

// ---- Mouse wheel

// Turns wheel deltas (120 units a notch; high-resolution wheels and touch
// pads send parts of a notch) into whole notches, keeping the rest. A
// change of direction drops the rest.
class WheelAccumulator {
public:
    static constexpr int32_t kUnitsPerNotch = 120;
    // Notches to scroll; positive = towards the start of the text (wheel
    // turned away from the user).
    int32_t add(int32_t delta);
    void reset() { m_rest = 0; }

private:
    int32_t m_rest = 0;
};

struct WheelInput {
    int32_t notches = 0;    // positive scrolls towards the start
    bool shift = false;
    bool ctrl = false;
    int32_t wheelLines = 3; // the desktop's rows per notch
    bool pageScroll = false;  // the desktop asks for a page per notch
    bool scrollCaret = true;  // ScrollCaret
    int32_t caretRow = 0;
};

struct WheelResult {
    bool handled = false;     // false with Shift or Ctrl: the wheel does nothing
    int32_t topRow = 0;
    int32_t rowsScrolled = 0; // signed, positive = down
    int32_t caretRow = 0;     // moved by the rows scrolled with ScrollCaret
    friend bool operator==(const WheelResult&, const WheelResult&) = default;
};

// Each notch scrolls wheelLines rows but at most a page, or a page with
// pageScroll; the other pane of a split window scrolls by rowsScrolled too.
WheelResult wheelScroll(const Viewport& v, const WheelInput& in);

}  // namespace orvex
