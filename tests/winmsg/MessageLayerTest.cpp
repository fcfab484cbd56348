// The window-message layer between a worker thread and the UI thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "winmsg/MessageLayer.h"

using namespace orvex;

namespace {

// Records every message with the thread it ran on.
class Recorder : public win::Receiver {
public:
    std::function<win::LResult(uint32_t, win::WParam, win::LParam)> handler;
    std::vector<uint32_t> seen;
    std::vector<std::thread::id> threads;
    win::LResult onMessage(uint32_t msg, win::WParam w, win::LParam l) override {
        seen.push_back(msg);
        threads.push_back(std::this_thread::get_id());
        return handler ? handler(msg, w, l) : static_cast<win::LResult>(w + static_cast<win::WParam>(l));
    }
};

class MessageLayerTest : public testing::Test {
protected:
    void SetUp() override {
        win::attachUiThread();
        handle = win::registerWindow(&receiver);
    }
    void TearDown() override {
        win::unregisterWindow(handle);
        win::detachUiThread();
    }
    Recorder receiver;
    win::Handle handle = nullptr;
};

}  // namespace

TEST_F(MessageLayerTest, SendOnTheUiThreadIsADirectCall) {
    EXPECT_EQ(win::sendMessage(handle, 0x401, 2, 3), 5);
    EXPECT_EQ(receiver.seen, std::vector<uint32_t>{0x401});
    EXPECT_EQ(win::dispatchPending(), 0);
}

TEST_F(MessageLayerTest, UnknownHandlesAnswerZero) {
    win::Handle gone = win::registerWindow(&receiver);
    win::unregisterWindow(gone);
    EXPECT_FALSE(win::isWindow(gone));
    EXPECT_EQ(win::sendMessage(gone, 1, 1, 1), 0);
    EXPECT_FALSE(win::postMessage(gone, 1));
    EXPECT_TRUE(win::isWindow(handle));
}

// A worker sends 10,000 requests while the UI thread sits in a pumping
// wait: every request is answered on the UI thread, in order, with its own
// answer.
TEST_F(MessageLayerTest, WorkerSendsTenThousandRequestsDuringAPumpingWait) {
    const auto ui = std::this_thread::get_id();
    std::atomic<bool> finished{false};
    std::atomic<int> wrong{0};
    std::thread worker([&] {
        for (int i = 0; i < 10000; ++i)
            if (win::sendMessage(handle, 0x402, static_cast<win::WParam>(i), 1) != i + 1) ++wrong;
        finished = true;
        win::wake();
    });
    EXPECT_TRUE(win::waitPumping([&] { return finished.load(); }, 60000));
    worker.join();
    EXPECT_EQ(wrong.load(), 0);
    ASSERT_EQ(receiver.seen.size(), 10000u);
    for (auto t : receiver.threads) ASSERT_EQ(t, ui);
}

// A post that arrives while a send is being answered waits until the
// handler has returned; the sender gets its own answer.
TEST_F(MessageLayerTest, PostArrivingDuringASendRunsAfterIt) {
    std::atomic<bool> inHandler{false}, postQueued{false}, finished{false};
    std::vector<std::string> order;
    receiver.handler = [&](uint32_t msg, win::WParam w, win::LParam) -> win::LResult {
        if (msg == 1) {
            order.push_back("send begins");
            inHandler = true;
            while (!postQueued) std::this_thread::yield();
            order.push_back("send ends");
            return 42;
        }
        order.push_back("post");
        return 0;
    };
    win::LResult answer = 0;
    std::thread worker([&] {
        std::thread poster([&] {
            while (!inHandler) std::this_thread::yield();
            win::postMessage(handle, 2);
            postQueued = true;
        });
        answer = win::sendMessage(handle, 1);
        poster.join();
        finished = true;
        win::wake();
    });
    EXPECT_TRUE(win::waitPumping([&] { return finished.load() && order.size() == 3; }, 10000));
    worker.join();
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(order, (std::vector<std::string>{"send begins", "send ends", "post"}));
}

TEST_F(MessageLayerTest, UnregisteringAWindowReleasesABlockedSender) {
    std::atomic<bool> sent{false};
    win::LResult answer = -1;
    std::thread worker([&] {
        answer = win::sendMessage(handle, 7);
        sent = true;
    });
    // Give the send time to queue, then destroy the window without pumping.
    // Whether it was queued or not, the sender must get 0 and never block.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    win::unregisterWindow(handle);
    worker.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(receiver.seen.empty());
    handle = win::registerWindow(&receiver);
}

TEST_F(MessageLayerTest, PumpingWaitTimesOut) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(win::waitPumping([] { return false; }, 50));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
}

// A platform loop stand-in: wake() queues one "event", the loop runs
// dispatchBurst for each event it takes, as the Qt pump does.
struct FakeLoop {
    std::mutex mutex;
    std::condition_variable cv;
    int events = 0;
    std::atomic<int> wakes{0};

    win::PlatformHooks hooks() {
        win::PlatformHooks h;
        h.wake = [this] {
            ++wakes;
            std::lock_guard lock(mutex);
            ++events;
            cv.notify_all();
        };
        h.pumpOnce = [this](int timeoutMs) { runOnce(timeoutMs); };
        return h;
    }
    void runOnce(int timeoutMs) {
        std::unique_lock lock(mutex);
        cv.wait_for(lock, std::chrono::milliseconds(timeoutMs < 0 ? 50 : timeoutMs), [&] { return events > 0; });
        if (events == 0) return;
        --events;
        lock.unlock();
        win::dispatchBurst();
    }
};

TEST_F(MessageLayerTest, RequestAfterRequestDoesNotFloodThePlatformLoopWithWakes) {
    FakeLoop loop;
    win::setPlatformHooks(loop.hooks());
    constexpr int kSends = 20000;
    std::atomic<int> answered{0};
    std::thread worker([&] {
        for (int i = 0; i < kSends; ++i)
            if (win::sendMessage(handle, 0x402, 1, 1) == 2) ++answered;
        win::wake();  // the count changed after the last answer
    });
    EXPECT_TRUE(win::waitPumping([&] { return answered.load() == kSends; }, 60000));
    worker.join();
    win::setPlatformHooks({});
    EXPECT_EQ(answered.load(), kSends);
    // A burst answers the requests that follow it without a wake each; one
    // event per request was what swamped the loop before.
    EXPECT_LT(loop.wakes.load(), kSends / 2);
}

TEST_F(MessageLayerTest, NewHooksAreWokenEvenIfTheOldOnesNeverDeliveredTheirWake) {
    // The first hooks swallow their wake: the layer must not wait for it
    // once other hooks are installed.
    win::PlatformHooks lost;
    lost.wake = [] {};
    lost.pumpOnce = [](int) {};
    win::setPlatformHooks(lost);
    std::thread first([&] { win::postMessage(handle, 0x400, 0, 0); });
    first.join();
    FakeLoop loop;
    win::setPlatformHooks(loop.hooks());
    std::atomic<bool> done{false};
    std::thread worker([&] {
        win::sendMessage(handle, 0x401, 2, 3);
        done = true;
        win::wake();
    });
    EXPECT_TRUE(win::waitPumping([&] { return done.load(); }, 60000));
    worker.join();
    win::setPlatformHooks({});
    EXPECT_GE(loop.wakes.load(), 1);
}
