#pragma once
// The macro thread's way into the editor: the main window and the target
// view, and the synchronous requests to them (winmsg/EditorRequests.h).
//
// Every frame request's answer (the view active afterwards, 0 when none)
// becomes the target view. Text is never read from the editor's own
// buffers: the copy requests have the user-interface thread copy what is
// asked for, so an edit the user makes meanwhile cannot tear it. A window
// that has gone away answers 0 (an empty copy).
//
// Used on the macro thread only.
#include <cstdint>
#include <string>

#include "winmsg/EditorRequests.h"

namespace orvex::orxmac {

class EditorBridge {
public:
    EditorBridge(win::Handle mainWindow, win::Handle view) : m_main(mainWindow), m_view(view) {}

    win::Handle mainWindow() const { return m_main; }
    win::Handle view() const { return m_view; }

    // A frame request to the main window; its answer becomes the target view.
    void frameRequest(win::FrameRequest code, win::LParam argument = 0);
    // A view request to the target view; its answer.
    int32_t viewRequest(win::ViewRequest code, win::LParam argument = 0);
    // A command with notification code 1, sent to the target view or the
    // main window and run before the call returns, or posted to the main
    // window.
    void viewCommand(uint32_t id);
    void mainCommand(uint32_t id);
    void postMainCommand(uint32_t id);

    // `length` bytes of the text from `offset` (negative: to the end).
    std::string copyText(int32_t offset, int32_t length);
    // The bytes of display row `row` (negative: the caret row).
    std::string copyRow(int32_t row);
    // The document's full path (empty for a new document).
    std::string copyPath();

    // The offset of a row plus a byte column on it (the caret, a selection end).
    int32_t offsetAt(win::ViewRequest rowCode, win::ViewRequest byteColumnCode);

private:
    win::Handle m_main;
    win::Handle m_view;
};

}  // namespace orvex::orxmac
