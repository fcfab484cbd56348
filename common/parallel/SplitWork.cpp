#include "common/parallel/SplitWork.h"

#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

namespace orvex::parallel {

namespace {
// 8 MiB: a thread costs some tens of microseconds, the halves of 8 MiB some
// milliseconds each.
constexpr size_t kDefaultThreshold = size_t{8} << 20;
std::atomic<size_t> g_threshold{kDefaultThreshold};
}  // namespace

size_t splitThreshold() { return g_threshold.load(std::memory_order_relaxed); }

ScopedSplitThreshold::ScopedSplitThreshold(size_t bytes) : m_saved(g_threshold.exchange(bytes)) {}
ScopedSplitThreshold::~ScopedSplitThreshold() { g_threshold.store(m_saved); }

bool worthSplitting(size_t bytes) {
    static const unsigned threads = std::thread::hardware_concurrency();
    // A lowered threshold (tests) splits even on one processor, so that the
    // split paths are exercised everywhere.
    const size_t threshold = splitThreshold();
    if (bytes < threshold) return false;
    return threads > 1 || threshold < kDefaultThreshold;
}

void runBoth(const std::function<void()>& first, const std::function<void()>& second) {
    std::exception_ptr secondError;
    std::thread helper;
    try {
        helper = std::thread([&] {
            try {
                second();
            } catch (...) {
                secondError = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had (resource limits): do both here.
        first();
        second();
        return;
    }
    std::exception_ptr firstError;
    try {
        first();
    } catch (...) {
        firstError = std::current_exception();
    }
    helper.join();
    if (firstError) std::rethrow_exception(firstError);
    if (secondError) std::rethrow_exception(secondError);
}

}  // namespace orvex::parallel
