#pragma once
// The built-ins that talk to the person at the editor and to the system
// rather than to a document: MessageBox and Input (dialogs), GetDir and
// SetDir (the process's current directory), Run (starts a program) and
// Sleep.
#include <cstdint>
#include <string>

namespace orvex::orxmac {

class BuiltinRegistry;
class MacroHostUi;

// How Sleep waits: the macro thread's wait ends early when a stop is
// requested, so a stop never waits for a long sleep.
class MacroSleeper {
public:
    virtual ~MacroSleeper() = default;
    virtual void sleepFor(int32_t milliseconds) = 0;
};

// MessageBox and Input; safe for any host (they only ask `ui`).
void registerDialogBuiltins(BuiltinRegistry& registry, MacroHostUi& ui);
// GetDir, SetDir, Run and Sleep: they change the process's state or start
// programs, so hosts that run untrusted input leave them out.
void registerProcessBuiltins(BuiltinRegistry& registry, MacroHostUi& ui, MacroSleeper& sleeper);

// MessageBox: type 1 Yes and No, 2 Yes, No and Cancel, anything else OK;
// the answer as the macro sees it: Cancel 1, Yes 2, No 3, otherwise 0.
int32_t messageBoxAnswer(int result);

// Starts `commandLine` (UTF-8) with /bin/sh -c without waiting for it, in
// the editor's environment and current directory; no zombie is left. False
// when the program it names cannot be found or the shell cannot start.
bool startProgram(const std::string& commandLine);

}  // namespace orvex::orxmac
