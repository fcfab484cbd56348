#pragma once
// Repeating timers on the user-interface thread (the 10,000 ms automatic
// backup tick, the 100 ms drag auto-scroll).
#include <functional>

namespace orvex {

class Timers {
public:
    using TimerId = int;
    virtual ~Timers() = default;
    // Calls tick every intervalMs until stopped; returns a non-zero id.
    virtual TimerId start(int intervalMs, std::function<void()> tick) = 0;
    virtual void stop(TimerId id) = 0;
};

}  // namespace orvex
