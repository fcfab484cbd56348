#pragma once
// The editor's command line: file names, the jump line, the hidden start
// and the shell's print and DDE requests. The same parser serves the
// start-up and a command line handed over to a running instance.
#include <string>
#include <string_view>
#include <vector>

namespace orvex::shell {

enum class ShellCommand { New, Open, Print, PrintTo, Dde };

struct CommandLineInfo {
    ShellCommand command = ShellCommand::New;
    std::string file;                  // the first file name
    std::vector<std::string> more;     // up to 20 further file names, in order
    int jumpLine = -1;                 // "/j120": open with the caret on line 120
    bool hide = false;                 // "/h" was given (honoured only with RunHide)
    std::string printer, driver, port; // "/pt printer driver port"

    static constexpr int kMaxFurtherFiles = 20;
    // Every file to open, first one first.
    std::vector<std::string> files() const;
};

// Splits at blanks and tabs; a double-quoted token keeps its blanks (the
// quotes are removed). Options start with "-" or "/" and are matched
// without regard to case.
std::vector<std::string> splitCommandLine(std::string_view line);
CommandLineInfo parseCommandLine(const std::vector<std::string>& tokens);
inline CommandLineInfo parseCommandLine(std::string_view line) { return parseCommandLine(splitCommandLine(line)); }

}  // namespace orvex::shell
