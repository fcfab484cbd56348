#pragma once
// What the conversion and formatting commands of every view share: the
// editor profile (options, file-type modes, presets), the dialogs, the
// clipboard and message boxes, the clock, and the little state that
// outlives one command.
#include <ctime>
#include <functional>

namespace orvex {
class Clipboard;
class CLuView;
class MessageBoxes;
}  // namespace orvex
namespace orvex::settings {
class EditorProfile;
}

namespace orvex::transform {

class TransformDialogs;

struct TransformState {
    int lastBracket = 0;  // entry of the bracket page preselected next time
    int sheetPage = 0;    // page of the formatting sheet shown last
};

struct TransformServices {
    settings::EditorProfile* profile = nullptr;  // required
    TransformState* state = nullptr;             // required
    TransformDialogs* dialogs = nullptr;         // null: dialog commands do nothing
    Clipboard* clipboard = nullptr;              // null: formatted paste does nothing
    MessageBoxes* messages = nullptr;
    // Local time of the moment; empty: the system clock.
    std::function<std::tm()> now;
    // Sets LineMax of a file-type mode and lays the documents out again
    // (the formatting option "実行後、自動改行の文字数を更新").
    std::function<void(int mode, int lineMax)> setLineMax;
    // Formats the clipboard text with preset 0 (command 32919): a new
    // untitled window whose view gets command 32911. Empty: the text is
    // formatted without a window.
    std::function<void()> formatClipboard;
    // Closes the window that shows a view (after 32911 has done its work).
    std::function<void(CLuView&)> closeView;
};

}  // namespace orvex::transform
