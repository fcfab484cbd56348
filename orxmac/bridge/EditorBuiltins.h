#pragma once
// The built-ins that work on the editor's windows: files, text, caret,
// selection, modes, commands and spell checking. Each reads its own
// arguments and sends its requests through the macro thread's bridge.
//
// A built-in that needs the target view (or, for the file and window
// built-ins and Send, the main window) fails with error 30 when that handle
// is 0, before it reads its arguments. Paths travel between the macro
// (Shift JIS strings) and the editor (file-system names, UTF-8) converted.
#include <cstdint>

namespace orvex::orxmac {

class BuiltinRegistry;
class EditorBridge;
class MacroHostUi;
struct RunControl;

void registerEditorBuiltins(BuiltinRegistry& registry, EditorBridge& bridge, MacroHostUi& ui, RunControl& control);

// Command ids the built-ins send.
inline constexpr uint32_t kCmdDelete = 32843;
inline constexpr uint32_t kCmdCut = 57635;
inline constexpr uint32_t kCmdCopy = 57634;
inline constexpr uint32_t kCmdPaste = 57637;
inline constexpr uint32_t kCmdMacroStop = 32943;
// Whether a command runs one of the ten macro slots (32926-32930, 33025-33029).
constexpr bool isMacroRunCommand(int32_t id) { return (id >= 32926 && id <= 32930) || (id >= 33025 && id <= 33029); }

// The spell-check library and its entry point: the three strings of the
// built-in, 0, the main window, the target view, the text, and the range
// to check (start offset and length in bytes).
inline constexpr const char* kSpellLibraryFile = "liborxspl.so";
inline constexpr const char* kSpellEntryName = "DlgSpl";
using SpellEntry = int (*)(const char* a, const char* b, const char* c, int zero, void* mainWindow, void* view,
                           const char* text, int start, int length);

}  // namespace orvex::orxmac
