// StopWatch: times one frame on the monotonic clock. The wall clock would
// jump with clock adjustments and wrap at midnight, and whole milliseconds
// read 0 for the short frames of a small map, so the watch keeps
// microseconds and rounds down only where milliseconds are shown.
#pragma once

#include <chrono>
#include <cstdint>

namespace Vell3D {

class StopWatch {
public:
    StopWatch() = default;
    // A watch still running when it goes (a frame left by an exception)
    // stops and writes "elapsed: <ms>" to the console.
    ~StopWatch();
    StopWatch(const StopWatch&) = delete;
    StopWatch& operator=(const StopWatch&) = delete;

    void start();
    void stop();
    bool isRunning() const { return running; }
    // From start to stop, in whole milliseconds.
    long elapsed() const;
    std::int64_t elapsedMicroseconds() const;

private:
    using Clock = std::chrono::steady_clock;

    Clock::time_point startTime;
    Clock::time_point stopTime;
    bool running = false;
};

} // namespace Vell3D
