#include "walkview/StopWatch.h"

#include "core/Console.h"

namespace Vell3D {

StopWatch::~StopWatch()
{
    if (!running)
        return;
    stop();
    try {
        Vell::console() << "elapsed: " << elapsed() << "\n";
    } catch (...) {
        // Already unwinding from a failed frame: a lost line is no reason
        // to end the program.
    }
}

void StopWatch::start()
{
    startTime = Clock::now();
    running = true;
}

void StopWatch::stop()
{
    stopTime = Clock::now();
    running = false;
}

long StopWatch::elapsed() const { return long(elapsedMicroseconds() / 1000); }

std::int64_t StopWatch::elapsedMicroseconds() const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(stopTime - startTime).count();
}

} // namespace Vell3D
