#pragma once
// Window messages between threads and libraries of one process.
//
// Windows are opaque handles registered by whoever receives messages (the
// main window, a view). sendMessage runs the receiver on the user-interface
// thread and blocks the caller until it answers; on the user-interface
// thread it is a direct call. postMessage queues and returns. Every wait of
// the user-interface thread for another thread goes through waitPumping, so
// messages sent to it meanwhile are answered and nobody deadlocks.
//
// There is exactly one layer per process: it lives in the shared library
// liborxwin.so, which the program and both of its libraries link.
#include <cstdint>
#include <functional>

namespace orvex::win {

struct WindowTag;
using Handle = WindowTag*;
using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

class Receiver {
public:
    virtual ~Receiver() = default;
    virtual LResult onMessage(uint32_t msg, WParam wParam, LParam lParam) = 0;
};

// How the platform's event loop cooperates: wake() is called from any thread
// when work is queued for the user-interface thread (the Qt layer posts an
// event that calls dispatchPending); pumpOnce(timeoutMs) runs the platform's
// events once, returning when something arrived or the time is up. Without
// hooks the layer waits on its own condition variable.
struct PlatformHooks {
    std::function<void()> wake;
    std::function<void(int timeoutMs)> pumpOnce;
};

// The calling thread becomes the user-interface thread.
void attachUiThread();
// No user-interface thread any more: pending and later sends answer 0.
void detachUiThread();
bool onUiThread();
void setPlatformHooks(PlatformHooks hooks);

// Receivers are registered and removed on the user-interface thread.
Handle registerWindow(Receiver* receiver);
void unregisterWindow(Handle handle);
bool isWindow(Handle handle);

// Returns the receiver's answer, or 0 when the handle is not a window.
LResult sendMessage(Handle handle, uint32_t msg, WParam wParam = 0, LParam lParam = 0);
// False when the handle is not a window.
bool postMessage(Handle handle, uint32_t msg, WParam wParam = 0, LParam lParam = 0);

// User-interface thread: answers queued sends first, then posted messages,
// until the queues are empty. Returns the number of messages handled.
int dispatchPending();

// User-interface thread, from the platform's event loop: dispatches as
// dispatchPending does, then keeps watching for more work for a few
// microseconds, so that a thread sending request after request is answered
// without a round through the event loop each time. Returns when no work
// came within the watch, or after budgetMs; work still queued then wakes
// the loop again, so its other events are not starved.
int dispatchBurst(int budgetMs = 8);

// User-interface thread: dispatches messages and platform events until
// done() holds (true) or timeoutMs passes (false; -1 waits for ever).
bool waitPumping(const std::function<bool()>& done, int timeoutMs = -1);

// Any thread: makes a pumping wait re-check its condition.
void wake();

}  // namespace orvex::win
