#pragma once
// The built-in functions a macro can call, found by name without regard to
// letter case after the user's own functions.
//
// A built-in is called with the interpreter's cursor behind the "(" of its
// argument list. It reads its own arguments with the interpreter's argument
// helpers (argInt, argStr, argStrVariable, argSeparator, argEnd), leaves the
// cursor behind the closing ")" and sets its result; every built-in yields a
// value, the integer 0 for actions. It returns 0 or a negative error
// number (26 for a malformed argument list, 1 for a value of the wrong
// kind, 30 when it needs an editor window that is not there).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orvex::orxmac {

class MacroInterpreter;

struct BuiltinResult {
    bool isString = false;
    int32_t value = 0;
    std::string text;

    void setInt(int32_t v) {
        isString = false;
        value = v;
    }
    void setStr(std::string s) {
        isString = true;
        text = std::move(s);
    }
};

using BuiltinFunction = std::function<int(MacroInterpreter&, BuiltinResult&)>;

class BuiltinRegistry {
public:
    // Adds or replaces a built-in.
    void add(std::string_view name, BuiltinFunction function);
    // The built-in of that name (any letter case), or nullptr.
    const BuiltinFunction* find(std::string_view name) const;
    size_t size() const { return m_functions.size(); }

private:
    std::unordered_map<std::string, BuiltinFunction> m_functions;  // keys folded to lower case
};

// Registers every built-in that works on the editor's windows (files,
// text, caret, selection, modes, commands, spell checking) for a host that
// has no editor: each fails with error 30 before reading its arguments, as
// the real ones do when the window they need is missing. The command-line
// runner uses this so that such macros fail the way they would in an editor
// without a document.
void registerWindowlessEditorBuiltins(BuiltinRegistry& registry);

}  // namespace orvex::orxmac
