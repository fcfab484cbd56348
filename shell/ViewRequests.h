#pragma once
// One editor view as a window of the message layer: the requests another
// thread (the macro library) sends to a view, answered on the
// user-interface thread. View requests (winmsg/EditorRequests.h) read the
// text, rows, caret and selection, move the caret, insert as typed input,
// save, size the document window and read or switch the mode settings;
// the command message runs a command through the session's router with
// this view active.
//
// The handle is registered when the view is made and removed before it
// goes (or when its window closes), so a sender addressing a closed view
// gets 0 from the message layer. Requests that change the text are
// refused (answer 0) while the document takes no edits.
#include <cstdint>

#include "winmsg/EditorRequests.h"
#include "winmsg/MessageLayer.h"

namespace orvex {
class CLuView;
}

namespace orvex::shell {

class EditorSession;
class EditorWindow;

class ViewRequests final : public win::Receiver {
public:
    ViewRequests(EditorSession& session, EditorWindow& window, int pane);
    ~ViewRequests() override;
    ViewRequests(const ViewRequests&) = delete;
    ViewRequests& operator=(const ViewRequests&) = delete;

    // Null once detached.
    win::Handle handle() const { return m_handle; }
    // Leaves the message layer (the window is closing); later sends get 0.
    void detach();

    win::LResult onMessage(uint32_t msg, win::WParam wParam, win::LParam lParam) override;

    // The view request alone (the main window passes its view requests on).
    win::LResult request(win::WParam code, win::LParam argument);
    // Runs a command with this view active; false when no target ran it.
    bool runCommand(uint32_t id);

private:
    CLuView& view();
    int32_t clampRow(win::LParam row);
    win::LResult modeRequest(int n, win::LParam value);
    bool editable();
    void updateAfterMove();

    EditorSession& m_session;
    EditorWindow& m_window;
    int m_pane;
    win::Handle m_handle = nullptr;
};

}  // namespace orvex::shell
