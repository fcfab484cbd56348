#pragma once
// One started macro: the interpreter and the editor bridge on a thread of
// their own.
//
// The thread runs the program; in a debug run it runs it again after the
// debugger's reset. It talks to the editor only through the bridge's
// synchronous requests and to its notification window (the running dialog
// or the debugger) through four messages: the step notification (sent,
// wParam 0, lParam the offset), the variable-list notification (sent,
// wParam 0 global list or 1 local list, lParam a zero-terminated Shift JIS
// line or 0 to empty the list), the result notification (sent, wParam the
// result, lParam the offset) and the end notification (posted).
//
// Suspension happens only at safe points: right after a step notification
// returns, when the window asked for it while handling it (holdAtStep), and
// between runs of a debug run (created suspended, after a reset). resume()
// lets the thread go on. A restart request (stop flag 2) ends the current
// run and holds the thread before the next one; a stop request (stop flag
// 1) releases a held thread. Either wakes a Sleep.
//
// The thread has a large stack of its own; the interpreter measures it, so
// deep recursion ends with error 2, never with an overflow.
#include <pthread.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "orxmac/BuiltinRegistry.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/MacroSource.h"
#include "orxmac/RunControl.h"
#include "orxmac/bridge/EditorBridge.h"
#include "orxmac/bridge/HostBuiltins.h"
#include "winmsg/MessageLayer.h"

namespace orvex::orxmac {

class MacroHostUi;

// Notification messages to the notification window.
inline constexpr uint32_t kMsgStep = 0x401;
inline constexpr uint32_t kMsgVariables = 0x402;
inline constexpr uint32_t kMsgResult = 0x403;
inline constexpr uint32_t kMsgEnd = 0x404;

struct MacroStart {
    win::Handle mainWindow = nullptr;
    win::Handle view = nullptr;
    std::string path;        // the macro file, for reports
    MacroSource source;      // its text
    bool debugRun = false;   // started for the debugger
};

class CMacExe final : public std::enable_shared_from_this<CMacExe>, private RunNotifier, private MacroSleeper {
public:
    static constexpr size_t kStackSize = size_t{64} << 20;

    // `running` is the library-wide count of running macro threads; `ui`
    // must outlive the thread.
    CMacExe(MacroStart start, std::atomic<int>& running, MacroHostUi& ui);
    // Waits for the thread (it must have been asked to end).
    ~CMacExe();
    CMacExe(const CMacExe&) = delete;
    CMacExe& operator=(const CMacExe&) = delete;

    // The window the notifications go to; none by default. Set before start.
    void setNotificationWindow(win::Handle window) { m_window = window; }
    // Starts the thread. Suspended: nothing runs until resume(). With
    // `keepAlive` the thread holds the object until it has ended, so the
    // caller may let go of it (a free-running macro).
    bool start(bool suspended, bool keepAlive = false);

    RunControl& control() { return m_control; }
    int stopFlag() const { return m_control.stopFlag.load(); }
    void setStepMode(int mode) { m_control.stepMode = mode; }
    // Sets the stop flag (kRunning, kStopRequested or kRestartRequested).
    // A stop request releases a held thread for good; a restart request
    // releases a thread held at a step and holds it before the next run
    // (the debugger's reset needs no resume()). Either ends a Sleep.
    void setStopFlag(int flag);
    void requestStop() { setStopFlag(kStopRequested); }
    // Called by the notification window while it handles a step
    // notification: the thread waits after it until resume().
    void holdAtStep();
    void resume();

    // The thread's work is over (it may still be leaving).
    bool ended() const { return m_ended.load(std::memory_order_acquire); }
    // The result of the last run (0, a negative error, or kStopped).
    int lastResult() const { return m_lastResult.load(); }
    // Waits, pumping the user-interface thread's messages, until the thread
    // has ended (slices of `sliceMs`; -1 waits without slices).
    void waitPumping(int sliceMs = 100);
    const std::string& path() const { return m_start.path; }
    // The interpreter's state; read it only while the thread is held or
    // after it has ended.
    const MacroInterpreter& interpreter() const { return m_interpreter; }
    // The program text (kept while the object lives, for the debugger).
    const MacroSource& source() const { return m_start.source; }

private:
    static void* threadEntry(void* self);
    void body();

    // RunNotifier: to the notification window.
    void stepNotification(uint32_t offset) override;
    void clearVariables(bool local) override;
    void addVariable(bool local, std::string_view line) override;
    void resultNotification(int result, uint32_t offset) override;
    // MacroSleeper: a wait that a stop request ends.
    void sleepFor(int32_t milliseconds) override;

    MacroStart m_start;
    std::atomic<int>& m_running;
    MacroHostUi& m_ui;
    win::Handle m_window = nullptr;

    RunControl m_control;
    EditorBridge m_bridge;
    BuiltinRegistry m_builtins;
    MacroInterpreter m_interpreter;

    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_heldAtStep = false;     // after a step notification, until resume
    bool m_holdBeforeRun = false;  // before the next run, until resume
    uint64_t m_restarts = 0;       // restart requests so far

    pthread_t m_thread{};
    bool m_started = false;
    std::shared_ptr<CMacExe> m_keepAlive;
    std::atomic<bool> m_ended{false};
    std::atomic<int> m_lastResult{0};
};

}  // namespace orvex::orxmac
