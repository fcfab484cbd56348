#pragma once
// The URL jump: the URL or mail address under the caret, the kind that
// decides which configured command starts it (file transfer for "ftp...",
// mail for an address, the web otherwise), and the command's arguments.
// A configured command is split into arguments at blanks (double quotes
// group) and the URL is put in as one argument of its own, so that text in
// a document never reaches a shell: "%" and the letter after it, inside any
// argument, stand for the URL; without "%" the URL is the last argument.
// Without a configured command the desktop's handler opens the URL.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {
class CLuView;
struct Platform;
}
namespace orvex::settings {
struct FrameOptions;
}

namespace orvex::shell {

enum class UrlKind { Web, FileTransfer, Mail };

struct FoundUrl {
    std::string text;  // the bytes as they stand in the row
    UrlKind kind = UrlKind::Web;
};

// The URL or mail address that holds byte column `column` of a row's
// content; URLs may hold double-byte characters when allowDoubleByte.
std::optional<FoundUrl> urlAt(std::string_view row, int32_t column, bool allowDoubleByte);

// The arguments that start `command` with `url` (empty for an empty
// command).
std::vector<std::string> launchArguments(std::string_view command, std::string_view url);

// The jump on the URL at the view's caret: false when there is none. A
// start that fails shows 30050.
bool launchUrlAtCaret(CLuView& view, const settings::FrameOptions& options, const Platform& platform);

}  // namespace orvex::shell
