// The monotonic clock and the yield of the time slice.
#include "gui/platform/Platform.h"

#include <chrono>
#include <thread>

namespace Vell::Platform {

std::uint64_t ticks() { return microTicks() / 1000; }

std::uint64_t microTicks()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void yield() { std::this_thread::yield(); }

} // namespace Vell::Platform
