#pragma once
// The main window's control message WM_USER+1: what a second start, the
// macro library or another part of the program asks of the running editor
// (a new document, open a path, close the active document, resize the main
// window, process a command line, also in pieces). Every operation first
// restores and activates the main window. The answer is the handle of the
// view active after the operation (EditorSession::activeViewHandle; 0:
// none), the window a macro sends its view requests to. The same window
// also runs commands (win::kMsgCommand, answer 0) and passes view requests
// on to the active view (answer 0).
//
// Codes 1, 4 and 6 take a pointer to a zero-terminated string of this
// process in the second parameter; code 8 processes the command line that
// arrived over the instance socket (setHandOver), relative names taken in
// the sender's folder.
#include <cstdint>
#include <optional>
#include <string>

#include "shell/CommandLine.h"
#include "shell/HandOver.h"
#include "winmsg/MessageLayer.h"

namespace orvex::shell {

class EditorSession;

class InstanceControl final : public win::Receiver {
public:
    explicit InstanceControl(EditorSession& session) : m_session(session) {}
    ~InstanceControl() override;
    InstanceControl(const InstanceControl&) = delete;
    InstanceControl& operator=(const InstanceControl&) = delete;

    // Registers the main window with the message layer (on the
    // user-interface thread); the handle receives WM_USER+1.
    win::Handle attach();
    win::Handle handle() const { return m_handle; }

    // The hand-over that the next code 8 processes.
    void setHandOver(HandOverMessage message) { m_handOver = std::move(message); }

    win::LResult onMessage(uint32_t msg, win::WParam wParam, win::LParam lParam) override;

    // The longest command line collected in pieces (codes 5 to 7).
    static constexpr size_t kMaxCollected = 1 << 20;

private:
    win::LResult answer() const;
    void processLine(const std::string& line);

    EditorSession& m_session;
    win::Handle m_handle = nullptr;
    std::optional<HandOverMessage> m_handOver;
    std::optional<std::string> m_collected;
    size_t m_collectLimit = 0;
};

// The command line of a hand-over with every file name that is not absolute
// taken in the sender's directory.
CommandLineInfo commandLineOf(const HandOverMessage& message);

}  // namespace orvex::shell
