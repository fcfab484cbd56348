#pragma once
// The library-wide state behind the entry points: the current macro thread
// object (the last one created) and the count of running macro threads,
// with the start and stop rules they share.
//
// Start: refused with message 30000 while a macro runs; the file is read
// whole ("%s を開けません" when it cannot be); any earlier thread is
// stopped; the new thread object becomes the current one. The caller then
// starts it the way its entry point wants (free-running, under the running
// dialog, under the debugger, or in batch).
//
// Stop wait: sets the stop flag of the running macro and waits for its
// thread in slices of 100 ms, answering the messages of the user-interface
// thread between slices so that the editor keeps serving the requests the
// macro sends before it reaches its next statement.
//
// Used on the user-interface thread.
#include <atomic>
#include <memory>
#include <string>

#include "orxmac/bridge/CMacExe.h"

namespace orvex::orxmac {

class MacroHostUi;

class MacroLibrary {
public:
    static constexpr int kStopSliceMs = 100;

    static MacroLibrary& instance();

    // Steps 1 to 3 of a start; null when nothing may start (the message has
    // been shown through `ui`).
    std::shared_ptr<CMacExe> prepare(win::Handle mainWindow, win::Handle view, const char* path, bool debugRun,
                                     MacroHostUi& ui);
    // The stop wait; does nothing when no macro runs.
    void stopWait();

    bool running() const { return m_running.load() > 0; }
    std::shared_ptr<CMacExe> current() const { return m_current.lock(); }

private:
    std::atomic<int> m_running{0};
    std::weak_ptr<CMacExe> m_current;
};

}  // namespace orvex::orxmac
