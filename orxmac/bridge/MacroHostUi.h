#pragma once
// What a running macro asks of the person at the editor: message boxes (the
// MessageBox built-in, the library's own messages and the error box that
// ends a failed run) and the Input dialog. The Qt library shows real
// dialogs on the user-interface thread; batch runs and the command-line
// runner answer every question with its default (DefaultAnswerHost.h).
//
// Threading: the macro thread calls these while it runs, the entry points
// call them on the user-interface thread; an implementation must accept
// both.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/platform/MessageBoxes.h"

namespace orvex::orxmac {

class MacroHostUi : public MessageBoxes {
public:
    // The Input dialog: `title` (UTF-8) above one empty edit field and an OK
    // button. The text entered (UTF-8) when it is closed with OK, nothing
    // when it is closed otherwise.
    virtual std::optional<std::string> input(const std::string& title) = 0;

    // The MessageBox built-in's box. A host without a screen may treat it as
    // the macro's output rather than as one of its messages.
    virtual MsgResult macroMessage(const MessageRequest& request) { return show(request); }

    // Where a failed run's error box goes; null shows none (the host then
    // reports the error in runFailed).
    virtual MessageBoxes* errorBox() { return this; }
    // A run of the macro file `path` ended with error `result` (negative)
    // at `position` of `source` (Shift JIS); not called for a stopped run.
    virtual void runFailed(const std::string& path, std::string_view source, int result, uint32_t position) {}

    int choose(const ChoiceRequest&) override { return -1; }
};

// The library's message with its caption and an OK button (UTF-8 text).
inline void libraryMessage(MessageBoxes& ui, std::string_view text, std::string_view caption,
                           MsgIcon icon = MsgIcon::None) {
    MessageRequest r;
    r.text = std::string(text);
    r.caption = std::string(caption);
    r.icon = icon;
    r.buttons = MsgButtons::Ok;
    ui.show(r);
}

}  // namespace orvex::orxmac
