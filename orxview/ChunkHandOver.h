#pragma once
// The hand-over between a producer thread that makes rich text (the
// conversion worker) and the window's thread that reads it into the
// viewer: one shared buffer, one chunk in flight at a time, and two events
// (buffer free, data ready) as a mutex with condition variables. The
// producer offers a chunk and waits until the consumer has taken all of it;
// the consumer asks for up to k bytes, waiting (through a callback that may
// keep the window's events going) until a chunk arrives or the producer has
// finished.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>

namespace orvex::viewer {

class ChunkHandOver {
public:
    static constexpr size_t kBufferBytes = 4096;

    // ---- Producer side (the worker thread)
    // Hands over n bytes (at most kBufferBytes at a time; longer data goes
    // as several chunks) and returns when the consumer has taken them, or
    // false at once when the consumer has given up.
    bool put(const char* data, size_t n) {
        while (n > 0) {
            const size_t part = std::min(n, kBufferBytes);
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [&] { return m_bufferFree || m_abandoned; });
            if (m_abandoned) return false;
            m_bufferFree = false;
            std::memcpy(m_buffer, data, part);
            m_available = part;
            m_taken = 0;
            m_dataReady = true;
            m_changed.notify_all();
            // Wait until the consumer has taken the whole chunk.
            m_changed.wait(lock, [&] { return m_available == 0 || m_abandoned; });
            if (m_abandoned) return false;
            data += part;
            n -= part;
        }
        return true;
    }
    // The producer is done; failed marks a conversion that went wrong.
    void finish(bool failed) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
        m_failed = failed;
        m_changed.notify_all();
    }

    // ---- Consumer side (the window's thread)
    // Reads up to k bytes into out; fewer only when the producer has
    // finished. While nothing is available, calls `idle` (which may process
    // window events) every few milliseconds between waits.
    size_t read(char* out, size_t k, const std::function<void()>& idle = {}) {
        size_t got = 0;
        while (got < k) {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_available == 0) {
                if (m_finished) break;
                if (!m_bufferFree) {
                    m_bufferFree = true;
                    m_changed.notify_all();
                }
                // Wait for the data-ready event, keeping the window alive.
                while (!m_dataReady && !m_finished) {
                    if (idle) {
                        lock.unlock();
                        idle();
                        lock.lock();
                    }
                    m_changed.wait_for(lock, std::chrono::milliseconds(idle ? 5 : 50));
                }
                if (!m_dataReady) continue;  // finished: the loop ends above
                m_dataReady = false;
            }
            const size_t part = std::min(k - got, m_available);
            std::memcpy(out + got, m_buffer + m_taken, part);
            m_taken += part;
            m_available -= part;
            got += part;
            if (m_available == 0) m_changed.notify_all();
        }
        return got;
    }
    // The consumer stops reading: a waiting producer returns.
    void abandon() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_abandoned = true;
        m_changed.notify_all();
    }
    bool failed() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_failed;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    char m_buffer[kBufferBytes];
    size_t m_available = 0;
    size_t m_taken = 0;
    bool m_bufferFree = false;
    bool m_dataReady = false;
    bool m_finished = false;
    bool m_failed = false;
    bool m_abandoned = false;
};

}  // namespace orvex::viewer
