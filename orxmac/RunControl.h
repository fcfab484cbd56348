#pragma once
// How a run is watched and stopped from outside the interpreter.
//
// The macro thread shares the stop flag and the step mode with the editor's
// user-interface thread; both are plain words written by one thread and
// polled by the other, here atomics. The interpreter reads them at every
// step hook (before each statement and on block entry). The notifier stands
// for the notification window of the running dialog or the debugger: when
// it is set, the interpreter reports steps, variables and the result to it.
#include <atomic>
#include <cstdint>
#include <string_view>

namespace orvex::orxmac {

enum StopFlag : int {
    kRunning = 0,
    kStopRequested = 1,
    kRestartRequested = 2,  // the debugger's reset: the current run stops
};

class RunNotifier {
public:
    virtual ~RunNotifier() = default;
    // Step notification: the run is about to execute the statement (or
    // enter the block) at `offset`. In step mode the receiver suspends the
    // macro thread here until the user lets it go on.
    virtual void stepNotification(uint32_t offset) = 0;
    // Variable-list notifications: empty the local or global list, or add
    // one line (Shift JIS) to it.
    virtual void clearVariables(bool local) = 0;
    virtual void addVariable(bool local, std::string_view line) = 0;
    // Result notification: a run has ended with `result` (0 or negative)
    // with the cursor at `offset`.
    virtual void resultNotification(int result, uint32_t offset) = 0;
};

struct RunControl {
    std::atomic<int> stopFlag{kRunning};
    std::atomic<int> stepMode{0};
    RunNotifier* notifier = nullptr;

    bool stopRequested() const { return stopFlag.load(std::memory_order_acquire) != kRunning; }
    bool stepping() const { return stepMode.load(std::memory_order_acquire) != 0; }
};

}  // namespace orvex::orxmac
