#pragma once
// A family that takes over left-button drags of a view while one of its
// modes is on (ruled-line drawing). The view offers it every press first;
// a handler that takes the press gets the moves and the release, with the
// mouse captured and the view scrolling at its edges as for a selection.
#include <cstdint>
#include <optional>

namespace orvex {

struct MouseEvent;

// The outline the widget draws over the text while a drag is held: rows
// and display columns, the right and bottom edges exclusive.
struct DragOutline {
    enum class Kind { HorizontalLine, VerticalLine, Box };
    Kind kind = Kind::Box;
    int32_t topRow = 0;
    int32_t bottomRow = 0;  // exclusive
    int32_t leftColumn = 0;
    int32_t rightColumn = 0;  // exclusive
    int32_t cellColumns = 2;  // columns of one cell of the shape
};

class DragHandler {
public:
    virtual ~DragHandler() = default;
    // True when the handler takes the drag that the press starts.
    virtual bool dragPressed(const MouseEvent& e) = 0;
    // The pointer moved (or the view scrolled under it) with the button
    // held; e is clamped into the visible text.
    virtual void dragMoved(const MouseEvent& e) = 0;
    virtual void dragReleased(const MouseEvent& e) = 0;
    // What to draw while the drag is held; nothing otherwise.
    virtual std::optional<DragOutline> dragOutline() const = 0;
};

}  // namespace orvex
