#pragma once
// Requests from the core to whatever shows it: repaint rows, refresh the
// title or the status bar. The core never draws; it says what changed.
namespace orvex {

class UiRequests {
public:
    virtual ~UiRequests() = default;
    // Rows first..last of a view need repainting (last = -1: to the end).
    virtual void invalidateRows(const void* view, int first, int last) = 0;
    virtual void invalidateAll(const void* view) = 0;
    // The window title of a document's frames must follow its state.
    virtual void updateTitle(const void* document) = 0;
    virtual void updateStatus() = 0;
    // Long work on the UI thread (find in files) lets the user's pending
    // input through, so that a second command can stop it. Headless: nothing.
    virtual void processPendingInput() {}
};

}  // namespace orvex
