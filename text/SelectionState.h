#pragma once
// The selection of a view: an anchor (start and end), a moving end that
// follows the cursor, the selection's start and end in text order, and the
// view's own box flag; with the rectangle and the row parts of a box
// selection.
//
// The anchor is a point (start = end) or, after a word or line selection,
// a range. A selection exists when the moving end and the anchor start lie
// at different places (row or display column: a box keeps a display column
// on rows shorter than it). With an anchor range the selection always
// covers the whole range: it runs from the moving end to the anchor end
// when the moving end lies before the range, so that what is shown while
// dragging backwards from a double-clicked word is what settling keeps.
//
// Invariants after every call (checked by assert):
//  - start() and end() are derived from the anchor and the moving end,
//    never set on their own: start() is the earlier of the moving end and
//    the anchor start, end() the later of the moving end and the anchor end
//    (the anchor start for a point anchor);
//  - hence start() <= moving() <= end() in text order (row, byte column).
// The anchor start normally lies at or before the anchor end (setRange
// makes it so), but positions the view clamps into fewer rows may meet on
// one row in either order; the derived start and end stay ordered anyway.
// Positions are not clamped here: the view keeps them within its rows.
// Whether the selection is a box is the editor-wide box mode or the view's
// flag; the view decides, this class only keeps the flag.
#include <cstdint>
#include <vector>

#include "text/TextPosition.h"
#include "text/TextStore.h"

namespace orvex {

// The rectangle of a box selection: display rows top..bottom, display
// columns left (inclusive) to right (exclusive).
struct BoxRect {
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t left = 0;
    int32_t right = 0;
    friend bool operator==(const BoxRect&, const BoxRect&) = default;
};

// The bytes [from, to) of one row that a box selection holds.
struct BoxRowPart {
    int32_t row = 0;
    int32_t from = 0;
    int32_t to = 0;
    friend bool operator==(const BoxRowPart&, const BoxRowPart&) = default;
};

class SelectionState {
public:
    const TextPosition& anchorStart() const { return m_anchorStart; }
    const TextPosition& anchorEnd() const { return m_anchorEnd; }
    const TextPosition& moving() const { return m_moving; }
    const TextPosition& start() const { return m_start; }
    const TextPosition& end() const { return m_end; }
    bool viewBox() const { return m_viewBox; }

    // A selection exists.
    bool any() const {
        return m_anchorStart.row != m_moving.row || m_anchorStart.displayColumn != m_moving.displayColumn;
    }
    // The anchor is a range (a word or line selection), not a point.
    bool anchorIsRange() const;

    // No selection: anchor and moving end at p. The box flag stays.
    void collapseTo(const TextPosition& p);
    // Anchor and moving end at once (anchorStart must not lie after
    // anchorEnd).
    void set(const TextPosition& anchorStart, const TextPosition& anchorEnd, const TextPosition& moving);
    void setMoving(const TextPosition& p);
    void setViewBox(bool on) { m_viewBox = on; }

    // The selection updates of a cursor move.
    // Extend: the moving end goes to the cursor, or stays at the anchor end
    // while the cursor is inside an anchor range; in a box that spans rows
    // it takes the desired column (a box keeps its column on rows shorter
    // than it).
    void extendTo(const TextPosition& cursor, bool box, int32_t desiredColumn);
    // Settle: an anchor range becomes a point anchor at the range's far
    // end from the moving end; returns where the cursor goes (the moving
    // end), unchanged without a selection from a range.
    TextPosition settle(const TextPosition& cursor);
    // SetRange: the anchor and the cursor become a range anchor in text
    // order; the moving end goes to its end and the cursor (returned) to
    // its start.
    TextPosition setRange(const TextPosition& cursor);

    // Rows and display columns between the anchor start and the moving end.
    BoxRect boxRect() const;
    // Row parts of the box over the rows of t before availableRows.
    std::vector<BoxRowPart> boxParts(const TextStore& t, int32_t availableRows) const {
        return boxRowParts(t, boxRect(), availableRows);
    }
    // A character belongs to a box when it starts at or right of the left
    // column and left of the right column; characters are never split. A
    // row with no such character gets an empty part where the walk stopped.
    static std::vector<BoxRowPart> boxRowParts(const TextStore& t, const BoxRect& box, int32_t availableRows);

private:
    void derive();

    TextPosition m_anchorStart;
    TextPosition m_anchorEnd;
    TextPosition m_moving;
    TextPosition m_start;
    TextPosition m_end;
    bool m_viewBox = false;
};

}  // namespace orvex
