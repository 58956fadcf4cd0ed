// walkview_timing <grpfile> <mapname>: walkview itself, with an idle handler
// that measures what a user waits for, headless or on a display:
//   first  the wall-clock time (CLOCK_REALTIME, ns) of the first presented
//          frame, for the caller to subtract its own start time from;
//   frame  the median render time of five repaints of the start view (us),
//          what the overlay's "elapsed" shows;
//   paint  the median time from asking for those repaints to their
//          presented frames (us): the render plus the rasterising, which a
//          software driver does at the swap, and the overlay;
//   walk   the median time from a W key press to its presented frame (us);
//   rss    the peak resident memory (KiB).
// Each figure is printed as "<name> <value>" on its own line.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "gui/platform/Platform.h"
#include "programs/WalkApplication.h"
#include "walkview/WalkView.h"

namespace {

using namespace Vell;

std::int64_t nowMicroseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t median(std::vector<std::int64_t> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

class TimedViewer : public Vell3D::WalkApplication {
public:
    bool onIdle(int count) override
    {
        WalkApplication::onIdle(count);
        if (!mainWindow)
            return false;
        int presents = Platform::presentCount(mainWindow->handle());
        if (presents == seen)
            return false;
        seen = presents;
        advance();
        return false;
    }

private:
    static constexpr int rounds = 5;

    // One step per presented frame: the first frame, repaints of the start
    // view, then W presses, then the end.
    void advance()
    {
        if (step == 0) {
            timespec wall;
            clock_gettime(CLOCK_REALTIME, &wall);
            std::printf("first %lld\n", (long long)wall.tv_sec * 1000000000LL + wall.tv_nsec);
        } else if (step <= rounds) {
            frames.push_back(view()->lastFrameMicroseconds());
            paints.push_back(nowMicroseconds() - pressed);
        } else if (step <= 2 * rounds) {
            walks.push_back(nowMicroseconds() - pressed);
        }
        ++step;
        if (step <= rounds) {
            pressed = nowMicroseconds();
            view()->repaint();
        } else if (step <= 2 * rounds) {
            pressed = nowMicroseconds();
            Platform::simulateKey('W', true);
            Platform::simulateKey('W', false);
        } else {
            std::printf("frame %lld\npaint %lld\nwalk %lld\n", (long long)median(frames), (long long)median(paints),
                        (long long)median(walks));
            rusage usage;
            getrusage(RUSAGE_SELF, &usage);
            std::printf("rss %ld\n", usage.ru_maxrss);
            std::fflush(stdout);
            quit();
        }
    }

    int seen = 0;
    int step = 0;
    std::int64_t pressed = 0;
    std::vector<std::int64_t> frames;
    std::vector<std::int64_t> paints;
    std::vector<std::int64_t> walks;
};

TimedViewer application;

} // namespace
