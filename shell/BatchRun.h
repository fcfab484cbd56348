#pragma once
// Batch mode: `orvex --batch MACRO [FILE...]` runs a macro over files with
// no window and no display. The files are opened as documents of a session
// without a frame (the last one active), the macro runs on the macro
// thread against the active view with the whole editor bridge, exactly as
// from the menu, and the program ends when the macro has ended.
//
// Every question the editor or the macro asks takes its default answer;
// messages go to standard error. The user's settings are read but never
// written.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsPaths.h"

namespace orvex::shell {

struct BatchArguments {
    std::string macro;
    std::vector<std::string> files;
};

// The words after "--batch". Empty, with the reason in `error`, when the
// macro is missing or an option is not known.
std::optional<BatchArguments> parseBatchArguments(const std::vector<std::string>& words, std::string& error);

// Runs the macro file with the main window's and the active view's handles
// (the view 0 when no document is open) and returns 0, or 1 after a macro
// error (the entry reports it). Called on the thread that answers the
// editor's requests; it returns only when the macro's thread has ended.
using MacroBatchEntry = std::function<int(void* mainWindow, void* view, const char* path)>;

// The whole batch run; the exit status of the program: 0 when the macro
// ended without error, 1 when it failed, a file could not be opened or the
// macro could not be run. Without an entry the macro library's batch entry
// runs it (through the session's binding of liborxmac.so).
int runBatch(const BatchArguments& args, const settings::SettingsEnvironment& env,
             const MacroBatchEntry& entry = {}, std::FILE* err = stderr);

}  // namespace orvex::shell
