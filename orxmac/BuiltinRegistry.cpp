#include "orxmac/BuiltinRegistry.h"

#include "orxmac/MacroError.h"
#include "orxmac/Scanner.h"

namespace orvex::orxmac {

namespace {

std::string folded(std::string_view name) {
    std::string key(name);
    for (char& c : key) c = static_cast<char>(scan::toLowerAscii(static_cast<uint8_t>(c)));
    return key;
}

}  // namespace

void BuiltinRegistry::add(std::string_view name, BuiltinFunction function) {
    m_functions[folded(name)] = std::move(function);
}

const BuiltinFunction* BuiltinRegistry::find(std::string_view name) const {
    auto it = m_functions.find(folded(name));
    return it == m_functions.end() ? nullptr : &it->second;
}

void registerWindowlessEditorBuiltins(BuiltinRegistry& registry) {
    static constexpr std::string_view kEditorBuiltins[] = {
        "FileNew",    "FileOpen",      "FileClose",      "FileIns",   "FileSave",    "FileSaveAs",
        "GetFileText", "GetFileLength", "GetLineCount",  "GetText",   "GetLineText", "GetLineLength",
        "GetLineLength2", "GetLine",   "GetIndex",       "GetLineNo", "GetPos",      "GetSel",
        "GetSelText", "GetMode",       "GetPath",        "SetPos",    "SetSel",      "SetMode",
        "SetSize",    "SetWinSize",    "Ins",            "Del",       "Cut",         "Copy",
        "Paste",      "Send",          "spell",
    };
    for (std::string_view name : kEditorBuiltins) {
        registry.add(name, [](MacroInterpreter&, BuiltinResult&) { return -kErrNoWindow; });
    }
}

}  // namespace orvex::orxmac
