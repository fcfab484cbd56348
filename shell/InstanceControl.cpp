#include "shell/InstanceControl.h"

#include "common/commands/CommandIds.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FrameHost.h"
#include "shell/ViewRequests.h"
#include "winmsg/EditorRequests.h"

namespace orvex::shell {

// The macro library's frame requests are the first codes of this message.
static_assert(kControlMessage == win::kMsgFrameRequest);
static_assert(uint32_t(win::kFrameNew) == kCtlNewDocument);
static_assert(uint32_t(win::kFrameOpen) == kCtlOpenPath);
static_assert(uint32_t(win::kFrameClose) == kCtlCloseActive);
static_assert(uint32_t(win::kFrameSize) == kCtlShowAtSize);

namespace {

std::string inFolder(const std::string& directory, const std::string& name) {
    if (name.empty() || name[0] == '/' || directory.empty()) return name;
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

const char* textOf(win::LParam lParam) { return reinterpret_cast<const char*>(lParam); }

}  // namespace

CommandLineInfo commandLineOf(const HandOverMessage& message) {
    CommandLineInfo info = parseCommandLine(message.tokens);
    info.file = inFolder(message.directory, info.file);
    for (std::string& f : info.more) f = inFolder(message.directory, f);
    return info;
}

InstanceControl::~InstanceControl() {
    if (m_handle) win::unregisterWindow(m_handle);
}

win::Handle InstanceControl::attach() {
    if (!m_handle) m_handle = win::registerWindow(this);
    return m_handle;
}

win::LResult InstanceControl::answer() const {
    // The active view's handle: where the caller sends its view requests.
    return reinterpret_cast<win::LResult>(m_session.activeViewHandle());
}

void InstanceControl::processLine(const std::string& line) {
    CommandLineInfo info = parseCommandLine(line);
    // A running instance opens or creates; it never hides or reopens.
    info.hide = false;
    m_session.processCommandLine(info);
}

win::LResult InstanceControl::onMessage(uint32_t msg, win::WParam wParam, win::LParam lParam) {
    if (msg == win::kMsgCommand) {
        m_session.router().run(CommandId(wParam & 0xFFFF));
        return 0;
    }
    if (msg == win::kMsgViewRequest) {
        // Passed on to the active view; the answer stays 0.
        if (const win::Handle view = m_session.activeViewHandle())
            win::sendMessage(view, win::kMsgViewRequest, wParam, lParam);
        return 0;
    }
    if (msg != kControlMessage) return 0;
    FrameHost* host = m_session.frameHost();
    if (host) host->restoreMainWindow();
    switch (wParam) {
    case kCtlNewDocument:
        m_session.router().run(cmd::kFileNew);
        break;
    case kCtlOpenPath: {
        const char* path = textOf(lParam);
        if (!path || !*path) m_session.router().run(cmd::kFileOpen);
        else m_session.openFile(path);
        break;
    }
    case kCtlCloseActive:
        if (m_session.activeWindow()) m_session.router().run(cmd::kFileClose);
        break;
    case kCtlShowAtSize:
        if (host) {
            const auto v = uint32_t(lParam);
            host->showMainWindowAt(int(v >> 16), int(v & 0xFFFF));
        }
        break;
    case kCtlCommandLine:
        if (const char* line = textOf(lParam)) processLine(line);
        break;
    case kCtlBeginLong:
        // A buffer of length + 1 bytes: what is appended beyond it is cut.
        m_collectLimit = std::min<size_t>(size_t(uint32_t(lParam)), kMaxCollected);
        m_collected = std::string();
        break;
    case kCtlAppendLong:
        if (m_collected && textOf(lParam)) {
            const std::string_view piece = textOf(lParam);
            const size_t room = m_collectLimit - m_collected->size();
            m_collected->append(piece.substr(0, std::min(room, piece.size())));
        }
        break;
    case kCtlProcessLong:
        if (m_collected) {
            const std::string line = std::move(*m_collected);
            m_collected.reset();
            processLine(line);
        }
        break;
    case kCtlPlaceWindow:
        if (const char* text = textOf(lParam); text && host)
            if (const std::optional<ScreenRect> r = parsePlacement(text)) host->placeMainWindow(*r);
        break;
    case kCtlHandOver:
        if (m_handOver) {
            const HandOverMessage m = std::move(*m_handOver);
            m_handOver.reset();
            CommandLineInfo info = commandLineOf(m);
            info.hide = false;
            m_session.processCommandLine(info);
        }
        break;
    default:
        break;
    }
    return answer();
}

}  // namespace orvex::shell
