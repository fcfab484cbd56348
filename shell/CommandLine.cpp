#include "shell/CommandLine.h"

#include <cctype>
#include <cstdlib>

namespace orvex::shell {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// "/j120" -> 120; a "/j" without digits gives no jump.
int jumpNumber(std::string_view digits) {
    int n = 0;
    bool any = false;
    for (char c : digits) {
        if (c < '0' || c > '9') break;
        any = true;
        if (n < 100000000) n = n * 10 + (c - '0');
    }
    return any ? n : -1;
}

}  // namespace

std::vector<std::string> CommandLineInfo::files() const {
    std::vector<std::string> out;
    if (!file.empty()) out.push_back(file);
    out.insert(out.end(), more.begin(), more.end());
    return out;
}

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        std::string token;
        bool quoted = false;
        // A quote may open anywhere in a token; blanks inside quotes belong to it.
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            if (line[i] == '"') {
                quoted = !quoted;
            } else {
                token.push_back(line[i]);
            }
            ++i;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

// Whether a token is one of the options. On this platform absolute paths
// begin with "/" too, so a token is an option only when it is one of the
// known ones; anything else is a file name.
bool isOption(std::string_view t) {
    if (t.size() < 2 || (t[0] != '-' && t[0] != '/')) return false;
    std::string_view opt = t.substr(1);
    if (std::tolower(static_cast<unsigned char>(opt[0])) == 'j')
        return opt.size() == 1 || (opt[1] >= '0' && opt[1] <= '9');
    return equalsNoCase(opt, "h") || equalsNoCase(opt, "p") || equalsNoCase(opt, "pt") || equalsNoCase(opt, "dde");
}

void addFile(CommandLineInfo& info, std::string_view t) {
    if (t.empty()) return;
    if (info.file.empty()) {
        info.file = std::string(t);
        if (info.command == ShellCommand::New) info.command = ShellCommand::Open;
    } else if (static_cast<int>(info.more.size()) < CommandLineInfo::kMaxFurtherFiles) {
        info.more.emplace_back(t);
    }
}

CommandLineInfo parseCommandLine(const std::vector<std::string>& tokens) {
    CommandLineInfo info;
    for (size_t i = 0; i < tokens.size(); ++i) {
        std::string_view t = tokens[i];
        if (!isOption(t)) {
            addFile(info, t);
            continue;
        }
        std::string_view opt = t.substr(1);
        if (std::tolower(static_cast<unsigned char>(opt[0])) == 'j') {
            const int n = jumpNumber(opt.substr(1));
            if (n >= 0) info.jumpLine = n;
        } else if (equalsNoCase(opt, "h")) {
            info.hide = true;
        } else if (equalsNoCase(opt, "p")) {
            info.command = ShellCommand::Print;
        } else if (equalsNoCase(opt, "pt")) {
            // "/pt file printer driver port"
            info.command = ShellCommand::PrintTo;
            if (i + 1 < tokens.size()) addFile(info, tokens[++i]);
            if (i + 1 < tokens.size()) info.printer = tokens[++i];
            if (i + 1 < tokens.size()) info.driver = tokens[++i];
            if (i + 1 < tokens.size()) info.port = tokens[++i];
        } else {
            info.command = ShellCommand::Dde;
        }
    }
    return info;
}

}  // namespace orvex::shell
