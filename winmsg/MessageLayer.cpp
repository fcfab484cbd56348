#include "winmsg/MessageLayer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace orvex::win {

namespace {

struct SendSlot {
    std::atomic<bool> done{false};
    LResult result = 0;
};

// A request and its answer usually take a few microseconds on the
// receiving thread, far less than putting a thread to sleep and waking it
// again. So a sender first watches for its answer, and the
// user-interface thread's own wait first watches for new work, each for
// this long, before they block on their condition variable.
constexpr auto kSpin = std::chrono::microseconds(60);

template <class Ready>
bool spinUntil(Ready ready) {
    const auto until = std::chrono::steady_clock::now() + kSpin;
    for (int i = 0;; ++i) {
        if (ready()) return true;
        if ((i & 63) == 63 && std::chrono::steady_clock::now() >= until) return false;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }
}

struct Item {
    Handle handle;
    uint32_t msg;
    WParam wParam;
    LParam lParam;
    SendSlot* slot;  // null for a posted message
};

struct Layer {
    std::mutex mutex;
    std::condition_variable uiCv;      // the default pump waits here
    std::condition_variable senderCv;  // senders wait here for their answer
    std::deque<Item> sends;
    std::deque<Item> posts;
    std::unordered_map<Handle, Receiver*> windows;
    uintptr_t nextHandle = 0x10;
    std::thread::id uiThread;
    bool hasUiThread = false;
    bool wakeFlag = false;
    // Sends and posts queued so far (read without the lock by a spinning
    // wait).
    std::atomic<uint64_t> queued{0};
    // The platform's loop has a wake on its way, or the user-interface
    // thread is in a burst and watches the queue itself: no further wake
    // is asked of the platform (one event per message would flood its
    // queue while a macro sends request after request).
    bool wakeScheduled = false;
    bool bursting = false;
    PlatformHooks hooks;
};

Layer& layer() {
    static Layer instance;
    return instance;
}

void wakeUi(Layer& l, std::unique_lock<std::mutex>& lock) {
    l.wakeFlag = true;
    l.queued.fetch_add(1, std::memory_order_release);
    std::function<void()> wakeHook;
    if (l.hooks.wake && !l.wakeScheduled && !l.bursting) {
        l.wakeScheduled = true;
        wakeHook = l.hooks.wake;
    }
    lock.unlock();
    l.uiCv.notify_all();
    if (wakeHook) wakeHook();
}

Receiver* receiverOf(Layer& l, Handle h) {
    auto it = l.windows.find(h);
    return it == l.windows.end() ? nullptr : it->second;
}

// Answers every waiting sender with 0 (their window or thread is gone).
void failSends(Layer& l, Handle onlyFor) {
    for (auto it = l.sends.begin(); it != l.sends.end();) {
        if (onlyFor == nullptr || it->handle == onlyFor) {
            it->slot->result = 0;
            it->slot->done.store(true, std::memory_order_release);
            it = l.sends.erase(it);
        } else {
            ++it;
        }
    }
    l.senderCv.notify_all();
}

}  // namespace

void attachUiThread() {
    Layer& l = layer();
    std::lock_guard lock(l.mutex);
    l.uiThread = std::this_thread::get_id();
    l.hasUiThread = true;
}

void detachUiThread() {
    Layer& l = layer();
    std::lock_guard lock(l.mutex);
    l.hasUiThread = false;
    failSends(l, nullptr);
    l.posts.clear();
}

bool onUiThread() {
    Layer& l = layer();
    std::lock_guard lock(l.mutex);
    return l.hasUiThread && l.uiThread == std::this_thread::get_id();
}

void setPlatformHooks(PlatformHooks hooks) {
    Layer& l = layer();
    std::lock_guard lock(l.mutex);
    l.hooks = std::move(hooks);
    // A wake the old hooks were asked for may never come.
    l.wakeScheduled = false;
}

Handle registerWindow(Receiver* receiver) {
    Layer& l = layer();
    std::lock_guard lock(l.mutex);
    Handle h = reinterpret_cast<Handle>(l.nextHandle);
    l.nextHandle += 0x10;  // handles are never reused
    l.windows[h] = receiver;
    return h;
}

void unregisterWindow(Handle handle) {
    Layer& l = layer();
    std::lock_guard lock(l.mutex);
    l.windows.erase(handle);
    failSends(l, handle);
    for (auto it = l.posts.begin(); it != l.posts.end();)
        it = it->handle == handle ? l.posts.erase(it) : it + 1;
}

bool isWindow(Handle handle) {
    Layer& l = layer();
    std::lock_guard lock(l.mutex);
    return l.windows.count(handle) != 0;
}

LResult sendMessage(Handle handle, uint32_t msg, WParam wParam, LParam lParam) {
    Layer& l = layer();
    std::unique_lock lock(l.mutex);
    Receiver* r = receiverOf(l, handle);
    if (!r) return 0;
    const bool direct = !l.hasUiThread || l.uiThread == std::this_thread::get_id();
    if (direct) {
        lock.unlock();
        return r->onMessage(msg, wParam, lParam);
    }
    SendSlot slot;
    l.sends.push_back(Item{handle, msg, wParam, lParam, &slot});
    wakeUi(l, lock);
    auto answered = [&] { return slot.done.load(std::memory_order_acquire); };
    if (!spinUntil(answered)) {
        lock.lock();
        l.senderCv.wait(lock, answered);
    }
    return slot.result;
}

bool postMessage(Handle handle, uint32_t msg, WParam wParam, LParam lParam) {
    Layer& l = layer();
    std::unique_lock lock(l.mutex);
    if (!receiverOf(l, handle)) return false;
    l.posts.push_back(Item{handle, msg, wParam, lParam, nullptr});
    wakeUi(l, lock);
    return true;
}

int dispatchPending() {
    Layer& l = layer();
    int handled = 0;
    for (;;) {
        std::unique_lock lock(l.mutex);
        std::deque<Item>& q = !l.sends.empty() ? l.sends : l.posts;
        if (q.empty()) return handled;
        Item item = q.front();
        q.pop_front();
        Receiver* r = receiverOf(l, item.handle);
        lock.unlock();
        // The receiver runs without the lock: it may send, post or pump.
        LResult result = r ? r->onMessage(item.msg, item.wParam, item.lParam) : 0;
        ++handled;
        if (item.slot) {
            lock.lock();
            item.slot->result = result;
            // The sender may return as soon as it sees this: the slot is
            // not touched after it.
            item.slot->done.store(true, std::memory_order_release);
            lock.unlock();
            l.senderCv.notify_all();
        }
    }
}

int dispatchBurst(int budgetMs) {
    Layer& l = layer();
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(budgetMs);
    {
        std::lock_guard lock(l.mutex);
        // The wake that brought us here has arrived; while the burst runs,
        // new work is seen here without one.
        l.wakeScheduled = false;
        l.bursting = true;
    }
    int handled = 0;
    for (;;) {
        const uint64_t seen = l.queued.load(std::memory_order_acquire);
        handled += dispatchPending();
        const bool spent = std::chrono::steady_clock::now() >= until;
        if (spent || !spinUntil([&] { return l.queued.load(std::memory_order_acquire) != seen; })) break;
    }
    std::unique_lock lock(l.mutex);
    l.bursting = false;
    // Work queued since the last look gets a wake of its own.
    if (!l.sends.empty() || !l.posts.empty()) wakeUi(l, lock);
    return handled;
}

bool waitPumping(const std::function<bool()>& done, int timeoutMs) {
    Layer& l = layer();
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        dispatchPending();
        if (done()) return true;
        int remaining = -1;
        if (timeoutMs >= 0) {
            const auto now = Clock::now();
            if (now >= deadline) return false;
            // Round up so that the last wait reaches the deadline.
            remaining = static_cast<int>(
                std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count());
        }
        const uint64_t seen = l.queued.load(std::memory_order_acquire);
        std::unique_lock lock(l.mutex);
        if (l.hooks.pumpOnce) {
            auto pump = l.hooks.pumpOnce;
            l.wakeFlag = false;
            lock.unlock();
            pump(remaining);
            continue;
        }
        auto ready = [&] { return l.wakeFlag || !l.sends.empty() || !l.posts.empty(); };
        if (!ready()) {
            lock.unlock();
            // Work that arrives within the spin is taken without sleeping;
            // done() may also change meanwhile (another thread's end).
            const bool arrived = spinUntil([&] { return l.queued.load(std::memory_order_acquire) != seen || done(); });
            if (arrived) continue;
            lock.lock();
        }
        if (remaining < 0)
            l.uiCv.wait(lock, ready);
        else
            l.uiCv.wait_until(lock, deadline, ready);
        l.wakeFlag = false;
    }
}

void wake() {
    Layer& l = layer();
    std::unique_lock lock(l.mutex);
    wakeUi(l, lock);
}

}  // namespace orvex::win
