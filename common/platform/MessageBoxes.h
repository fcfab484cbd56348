#pragma once
// How the core asks the user something or tells them something. The Qt layer
// shows real message boxes; tests use a scripted fake that records every
// message and returns preset answers.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "common/strings/StringTable.h"

namespace orvex {

enum class MsgIcon { None, Information, Exclamation, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
// Values follow the classic dialog result numbering so that stored answers
// and macro built-ins can use them unchanged.
enum class MsgResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageRequest {
    std::string text;  // UTF-8
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    int defaultButton = 0;  // index of the default button, 0 = first
    int textId = 0;         // string table id when the text came from there
    std::string caption;    // UTF-8; empty: the application's title
};

// A dialog with its own buttons (for example the not-a-text question with
// four buttons): returns the index of the chosen button, or -1 when closed.
struct ChoiceRequest {
    std::string title;
    std::string text;
    std::vector<std::string> buttons;
    MsgIcon icon = MsgIcon::Question;
    int defaultButton = 0;
    int cancelButton = -1;  // button chosen by Escape / closing, -1 none
};

// The buttons of a kind of box, in order, as the answers they give.
std::vector<MsgResult> answersOf(MsgButtons buttons);
// What a box answers when its default button is taken (a default beyond
// its buttons is the first): hosts without a person to ask use it.
MsgResult defaultAnswer(MsgButtons buttons, int defaultButton);

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgResult show(const MessageRequest& request) = 0;
    virtual int choose(const ChoiceRequest& request) = 0;

    // A message from the string table with %1.. substituted.
    MsgResult showId(int id, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok,
                     std::initializer_list<std::string_view> args = {}, int defaultButton = 0) {
        MessageRequest r;
        r.text = strings::format(id, args);
        r.icon = icon;
        r.buttons = buttons;
        r.defaultButton = defaultButton;
        r.textId = id;
        return show(r);
    }
    MsgResult showText(std::string_view text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok) {
        MessageRequest r;
        r.text = std::string(text);
        r.icon = icon;
        r.buttons = buttons;
        return show(r);
    }
};

}  // namespace orvex
