#pragma once
// The environment assignments of a registered program, one a line:
//
//     NAME=value
//     set NAME=value         ("set" in any letter case, blanks or tabs after it)
//     PATH=%PATH%:/opt/bin   (the first "%NAME%" in the value is the
//                             variable's value as it stands so far)
//
// Blank lines and leading blanks are skipped. The assignments go into a
// copy of the environment that only the child gets: the editor's own
// environment never changes, so nothing has to be put back and the macro
// thread never sees a half-changed environment.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::tools {

// "NAME=value" entries, as a child's environment is handed over.
class Environment {
public:
    Environment() = default;
    explicit Environment(std::vector<std::string> entries) : m_entries(std::move(entries)) {}
    // The process's own environment as it is now.
    static Environment current();

    std::optional<std::string> get(std::string_view name) const;
    void set(std::string_view name, std::string_view value);
    const std::vector<std::string>& entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
};

struct EnvironmentResult {
    bool ok = true;
    // On a fault: the text shown before the message ("\r\n" + 30030): the
    // environment text from the faulty assignment to its end, or the name
    // of a variable that cannot be set.
    std::string faultText;
    int assignments = 0;  // assignments applied
};

// Applies the assignments of `text` (Shift JIS, line ends CR LF, CR or LF)
// to `env` in order. A name that does not reach its "=" on its line is a
// format fault; an empty name, or one holding a NUL, cannot be set. At the
// first fault the walk stops; what came before it stays applied to `env`
// (the caller starts nothing then).
EnvironmentResult applyEnvironmentText(std::string_view text, Environment& env);

}  // namespace orvex::tools
