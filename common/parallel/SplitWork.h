#pragma once
// One large job done as two halves at once: the load reads, splits and lays
// out a big file on two threads when the machine has two. The halves must
// touch disjoint memory; the caller joins their results.
#include <cstddef>
#include <functional>

namespace orvex::parallel {

// The smallest job, in bytes, that is worth a second thread: below it the
// cost of starting the thread is a noticeable share of the work.
size_t splitThreshold();
// Tests lower the threshold to send small texts through the split paths,
// and raise it to compare with the single walk. Restores on destruction.
class ScopedSplitThreshold {
public:
    explicit ScopedSplitThreshold(size_t bytes);
    ~ScopedSplitThreshold();
    ScopedSplitThreshold(const ScopedSplitThreshold&) = delete;
    ScopedSplitThreshold& operator=(const ScopedSplitThreshold&) = delete;

private:
    size_t m_saved;
};

// True when a job of this many bytes should be split: it reaches the
// threshold and the machine runs more than one thread at a time.
bool worthSplitting(size_t bytes);

// Runs `second` on a thread of its own and `first` on the calling thread
// and returns when both have finished. When no thread can be started the
// two run one after the other on the calling thread. An exception of
// either is passed on after both have finished (the first one's wins).
void runBoth(const std::function<void()>& first, const std::function<void()>& second);

}  // namespace orvex::parallel
