// Both viewers as a user who browses an archive meets them: the real
// programs on an X server (Xvfb), driven by xdotool, their windows captured
// with xwd.
#include <gtest/gtest.h>

#include <string>

#include "../support/Picture.h"
#include "../support/ProgramRun.h"
#include "../support/ScratchFolder.h"
#include "gui/PngFile.h"

namespace {

using TestSupport::Picture;
using TestSupport::readPpm;

// Pixels that differ between two pictures below the overlay.
int differing(const Picture& a, const Picture& b)
{
    return TestSupport::differingPixels(a, b, 200);
}

// Tab shows the other view and Tab again the first, PageDown the archive's
// next map and PageUp the map before it, with the title following; F12
// writes the first picture of the map, and Esc ends with status 0.
void browse(const char* program, const std::string& title)
{
    TestSupport::ScratchFolder folder("shell-session");
    TestSupport::ProgramRun run = TestSupport::runCommand(
        std::string("bash '" SHELL_SESSION_SCRIPT "' '") + program + "' '" + title + "' '" DEMO_ARCHIVE "' '$' '" +
        folder.path("") + "' 2>&1");
    if (run.status == 77)
        GTEST_SKIP() << run.output;
    EXPECT_EQ(run.output, "title " + title + " - E3L1.MAP\ntitle " + title + " - DEMO.MAP\ntitle " + title +
                              " - E3L1.MAP\npicture E3L1-1.png\nstatus 0\n");

    Picture start = readPpm(folder.path("start.ppm")), other = readPpm(folder.path("other.ppm"));
    Picture back = readPpm(folder.path("back.ppm")), next = readPpm(folder.path("next.ppm"));
    Picture prior = readPpm(folder.path("prior.ppm"));
    ASSERT_EQ(start.width, 800) << run.output;
    EXPECT_GT(differing(start, other), 2000);   // the other view
    EXPECT_LT(differing(start, back), 50);      // the same place again
    EXPECT_GT(differing(back, next), 500);      // another map
    EXPECT_LT(differing(start, prior), 50);     // the first map at its start
    Vell::Picture saved = Vell::readPng(folder.path("E3L1-1.png"));
    EXPECT_EQ(saved.width, 800);
    EXPECT_EQ(saved.height, 600);
}

} // namespace

TEST(ShellSession, walkviewUnderX) { browse(WALKVIEW_PATH, "Gorvax 3D Map Viewer"); }

TEST(ShellSession, planviewUnderX) { browse(PLANVIEW_PATH, "Gorvax 2D Map Viewer"); }
