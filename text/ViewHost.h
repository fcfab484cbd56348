#pragma once
// What a view asks of the widget that shows it. The Qt view widget
// implements it; every member has a harmless default so that a view works
// headless (tests, tools) with a plain ViewHost or none at all.
//
// Repaints and the status bar go through the platform's UiRequests; this
// interface carries what is particular to one view window.
#include <cstdint>
#include <optional>
#include <string_view>

namespace orvex {

class ViewHost {
public:
    virtual ~ViewHost() = default;
    // The caret moved or changed shape (insert/overwrite, focus).
    virtual void caretMoved() {}
    // The view's first row or first column changed by this many; the widget
    // scrolls its pixels and its scroll bars.
    virtual void scrolled(int32_t rows, int32_t columns) {}
    // The number of rows changed: the scroll ranges must follow.
    virtual void scrollSizesChanged() {}
    virtual void setMouseCapture(bool on) {}
    // Opens the context menu at a text position (row, display column).
    virtual void showContextMenu(int32_t row, int32_t column) {}
    // Finishes an open input-method composition (its text arrives as
    // inputMethodText before this returns, or not at all).
    virtual void finishComposition() {}
    virtual bool inputMethodOpen() const { return false; }
    virtual void setInputMethodOpen(bool open) {}
    // The input method's word registration with a proposed word.
    virtual void registerWord(std::string_view sjis) {}
    // The go-to-line dialog, prefilled; empty when cancelled.
    virtual std::optional<int32_t> askLineNumber(int32_t initial) { return std::nullopt; }
    // The code-input dialog: a character code, empty when cancelled.
    virtual std::optional<int32_t> askCharacterCode() { return std::nullopt; }
    // Hides the mouse pointer until the mouse moves.
    virtual void hideMousePointer() {}
    // The outline of a drag handler's drag changed: the text area must be
    // drawn again.
    virtual void overlayChanged() {}
    // Shows the wait cursor (on) until told otherwise (off); calls come in
    // pairs around a long change of the text.
    virtual void setWaitCursor(bool on) {}
    // Whether a key (virtual-key code) is down right now.
    virtual bool isKeyDown(uint16_t virtualKey) const { return false; }
};

}  // namespace orvex
