#include "orxmac/bridge/CMacExe.h"

#include <chrono>

#include "orxmac/MacroError.h"
#include "orxmac/StringBuiltins.h"
#include "orxmac/bridge/EditorBuiltins.h"
#include "orxmac/bridge/MacroHostUi.h"

namespace orvex::orxmac {

CMacExe::CMacExe(MacroStart start, std::atomic<int>& running, MacroHostUi& ui)
    : m_start(std::move(start)), m_running(running), m_ui(ui), m_bridge(m_start.mainWindow, m_start.view) {
    registerStringBuiltins(m_builtins);
    registerEditorBuiltins(m_builtins, m_bridge, m_ui, m_control);
    registerDialogBuiltins(m_builtins, m_ui);
    registerProcessBuiltins(m_builtins, m_ui, *this);
    m_control.notifier = this;
    m_interpreter.setBuiltins(&m_builtins);
    m_interpreter.setControl(&m_control);
}

CMacExe::~CMacExe() {
    if (!m_started) return;
    if (pthread_equal(pthread_self(), m_thread)) {
        // The thread let go of itself: nobody is left to wait for it.
        pthread_detach(m_thread);
        return;
    }
    if (!ended()) {
        requestStop();
        waitPumping(-1);
    }
    pthread_join(m_thread, nullptr);
}

bool CMacExe::start(bool suspended, bool keepAlive) {
    if (m_started) return false;
    m_holdBeforeRun = suspended;
    if (keepAlive) m_keepAlive = shared_from_this();
    // Counted from here, so a start or stop that comes before the thread
    // is scheduled already sees it running.
    m_running.fetch_add(1);
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kStackSize);
    const int rc = pthread_create(&m_thread, &attr, &CMacExe::threadEntry, this);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        m_running.fetch_sub(1);
        m_keepAlive.reset();
        m_ended = true;
        return false;
    }
    m_started = true;
    return true;
}

void* CMacExe::threadEntry(void* self) {
    static_cast<CMacExe*>(self)->body();
    return nullptr;
}

void CMacExe::body() {
    {
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, [this] { return !m_holdBeforeRun; });
    }
    for (;;) {
        if (stopFlag() == kStopRequested) break;
        uint64_t restarts = 0;
        {
            // Counted before the run, so a reset that comes while the run
            // reports its end is not missed.
            std::lock_guard lock(m_mutex);
            restarts = m_restarts;
        }
        const int result = m_interpreter.run(m_start.source);
        m_lastResult = result;
        const bool stopped = m_control.stopRequested();
        m_interpreter.reportEnd(result, m_ui.errorBox());
        if (!stopped && result < 0 && result != kStopped)
            m_ui.runFailed(m_start.path, m_start.source.withTerminator(), result, m_interpreter.cursor());

        std::unique_lock lock(m_mutex);
        if (m_control.stopFlag == kStopRequested) break;
        if (m_control.stopFlag == kRunning) {
            // The run ended by itself: a debug run waits for reset or close.
            if (!m_start.debugRun) break;
            m_cv.wait(lock, [&] { return m_control.stopFlag != kRunning || m_restarts != restarts; });
            if (m_control.stopFlag == kStopRequested) break;
        }
        // Reset: held until the next Start or Step, which runs the program
        // again from the beginning. (A Start that came before the thread got
        // here has already lifted the hold.)
        m_control.stopFlag = kRunning;
        m_cv.wait(lock, [this] { return !m_holdBeforeRun; });
        if (m_control.stopFlag == kStopRequested) break;
    }
    m_control.stopFlag = kStopRequested;
    m_running.fetch_sub(1);
    if (m_window) win::postMessage(m_window, kMsgEnd, 0, 0);
    // Whoever holds the last reference from here on destroys the object.
    std::shared_ptr<CMacExe> self = std::move(m_keepAlive);
    m_ended.store(true, std::memory_order_release);
    win::wake();
}

void CMacExe::setStopFlag(int flag) {
    {
        std::lock_guard lock(m_mutex);
        m_control.stopFlag = flag;
        if (flag == kStopRequested) {
            m_heldAtStep = m_holdBeforeRun = false;
        } else if (flag == kRestartRequested) {
            // The current run ends at its next statement; the next one
            // waits for Start or Step.
            ++m_restarts;
            m_heldAtStep = false;
            m_holdBeforeRun = true;
        }
    }
    m_cv.notify_all();
}

void CMacExe::holdAtStep() {
    std::lock_guard lock(m_mutex);
    if (m_control.stopFlag != kStopRequested) m_heldAtStep = true;
}

void CMacExe::resume() {
    {
        std::lock_guard lock(m_mutex);
        m_heldAtStep = m_holdBeforeRun = false;
    }
    m_cv.notify_all();
}

void CMacExe::waitPumping(int sliceMs) {
    if (!m_started) return;
    while (!ended()) win::waitPumping([this] { return ended(); }, sliceMs);
}

void CMacExe::stepNotification(uint32_t offset) {
    if (!m_window) return;
    win::sendMessage(m_window, kMsgStep, 0, static_cast<win::LParam>(offset));
    // The window asked for a hold while it handled the notification.
    std::unique_lock lock(m_mutex);
    m_cv.wait(lock, [this] { return !m_heldAtStep; });
}

void CMacExe::clearVariables(bool local) {
    if (m_window) win::sendMessage(m_window, kMsgVariables, local ? 1 : 0, 0);
}

void CMacExe::addVariable(bool local, std::string_view line) {
    if (!m_window) return;
    const std::string text(line);
    win::sendMessage(m_window, kMsgVariables, local ? 1 : 0, reinterpret_cast<win::LParam>(text.c_str()));
}

void CMacExe::resultNotification(int result, uint32_t offset) {
    if (m_window)
        win::sendMessage(m_window, kMsgResult, static_cast<win::WParam>(static_cast<intptr_t>(result)),
                         static_cast<win::LParam>(offset));
}

void CMacExe::sleepFor(int32_t milliseconds) {
    std::unique_lock lock(m_mutex);
    m_cv.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_control.stopRequested(); });
}

}  // namespace orvex::orxmac
