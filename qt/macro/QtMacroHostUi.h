#pragma once
// The macro library's dialogs on the user-interface thread: message boxes
// and the Input dialog. The macro thread reaches them through a receiver of
// the window-message layer registered on the user-interface thread (at the
// first entry-point call), so every dialog is created and shown there; a
// call made on the user-interface thread itself shows the dialog directly.
#include <optional>
#include <string>

#include "orxmac/bridge/MacroHostUi.h"
#include "winmsg/MessageLayer.h"

namespace orvex::qt {

class QtMacroHostUi final : public orxmac::MacroHostUi, private win::Receiver {
public:
    QtMacroHostUi() = default;
    ~QtMacroHostUi() override;

    // Registers the receiver; call on the user-interface thread.
    void attach();
    void detach();

    MsgResult show(const MessageRequest& request) override;
    std::optional<std::string> input(const std::string& title) override;

private:
    win::LResult onMessage(uint32_t msg, win::WParam wParam, win::LParam lParam) override;
    MsgResult showHere(const MessageRequest& request);
    std::optional<std::string> inputHere(const std::string& title);

    win::Handle m_handle = nullptr;
};

}  // namespace orvex::qt
