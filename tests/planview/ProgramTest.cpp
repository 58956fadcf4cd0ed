// The real planview program in a user's session under Xvfb (arrow keys,
// zoom, Esc) with the window captured as the user saw it. Its command line
// and exit statuses are tested with the programs (tests/programs).
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "tests/support/Picture.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScratchFolder.h"

using TestSupport::runCommand;

namespace {

const std::string planview = PLANVIEW_PATH;

using TestSupport::Picture;
using TestSupport::blue;
using TestSupport::green;
using TestSupport::red;

int count(const Picture& p, int x0, int y0, int x1, int y1, bool (*test)(std::uint32_t))
{
    int n = 0;
    for (int y = y0; y <= y1 && y < p.height; ++y)
        for (int x = x0; x <= x1 && x < p.width; ++x)
            n += test(p.at(x, y));
    return n;
}

bool white(std::uint32_t c) { return red(c) > 200 && green(c) > 200 && blue(c) > 200; }
bool fan(std::uint32_t c) { return blue(c) > red(c) + 25 && blue(c) > green(c) + 25; }
bool wall(std::uint32_t c) { return green(c) > 100 && green(c) > red(c) + 40 && green(c) > blue(c) + 40; }

// planview_x11.sh on a map, with the demo archive: the pictures before and
// after Up, Left and A hold the marker, the fan, the map's walls and the
// status lines and differ; Esc ends it with status 0 and nothing written.
void aUsersSessionUnderX(const std::string& map)
{
    TestSupport::ScratchFolder out("planview-x11");
    auto run = runCommand(std::string(SESSION_SCRIPT) + " " + planview + " " + DEMO_ARCHIVE + " '" + map + "' " +
                          out.path("") + " Up Left a");
    if (run.status == 77)
        GTEST_SKIP() << run.output << "(scripts/deps installs it)";
    EXPECT_EQ(run.output, "status 0\n");   // Esc ended it, and nothing else went wrong

    const Picture before = TestSupport::readPpm(out.path("before.ppm"));
    const Picture after = TestSupport::readPpm(out.path("after.ppm"));
    ASSERT_GE(before.width, 800);
    ASSERT_GE(before.height, 600);
    ASSERT_EQ(after.width, before.width);
    for (const Picture* p : {&before, &after}) {
        EXPECT_GT(count(*p, 398, 270, 402, 299, white), 15);   // the marker, pointing up
        EXPECT_GT(count(*p, 0, 0, 799, 599, fan), 200);         // the fan
        EXPECT_GT(count(*p, 0, 0, 799, 599, wall), 500);        // the map's walls
        EXPECT_GT(count(*p, 10, 16, 200, 80, white), 40);       // the status lines
    }
    EXPECT_NE(before.pixels, after.pixels);   // walked, turned, came closer
    std::ifstream stdoutFile(out.path("stdout.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stdoutFile), {}), "");
}

} // namespace

TEST(PlanviewProgram, aUsersSessionUnderX)
{
    aUsersSessionUnderX("$");
}

// huge.map from disk, at the largest counts the viewers read.
TEST(PlanviewProgram, aUsersSessionUnderXOnTheHugeMap)
{
    aUsersSessionUnderX(HUGE_MAP);
}
