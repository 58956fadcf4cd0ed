// The info panel as a user meets it in both programs: the real programs on
// an X server (Xvfb), driven by xdotool (panel_session.sh), the panel's
// words read back from standard output, where the panel writes its text
// each time it changes.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "../support/Picture.h"
#include "../support/ProgramRun.h"
#include "../support/ScratchFolder.h"

namespace {

using TestSupport::Picture;
using TestSupport::readPpm;

// Where the first line at or after from that starts with the text begins.
std::size_t lineAt(const std::string& output, const std::string& start, std::size_t from = 0)
{
    for (std::size_t at = from; at < output.size();) {
        if (output.compare(at, start.size(), start) == 0)
            return at;
        at = output.find('\n', at);
        if (at == std::string::npos)
            break;
        ++at;
    }
    return std::string::npos;
}

// On the demo's first map the pointer 150 pixels ahead of the player lies
// on the corridor before him: the panel names that sector with its record;
// the click puts him there, and in 3D the panel names what he faces.
void askWhatThingsAre(const char* program, const char* title, const char* first)
{
    TestSupport::ScratchFolder folder("panel-session");
    TestSupport::ProgramRun run = TestSupport::runCommand(std::string("bash '" PANEL_SESSION_SCRIPT "' '") + program +
                                                          "' '" + title + "' " + first + " '" DEMO_ARCHIVE
                                                          "' '$' 400 150 '" + folder.path("") + "' 2>&1");
    if (run.status == 77)
        GTEST_SKIP() << run.output;
    const std::string& out = run.output;
    ASSERT_NE(out.find("status 0\n"), std::string::npos) << out;

    const std::size_t pointed = lineAt(out, "pointer: sector 4\nsector 4: 4 walls from wall 30");
    ASSERT_NE(pointed, std::string::npos) << out;
    EXPECT_NE(lineAt(out, "  floor   z -512, tile 2,", pointed), std::string::npos) << out;
    const std::size_t aimAfter = lineAt(out, "aim: ", pointed);
    ASSERT_NE(aimAfter, std::string::npos) << out;
    // The record after the heading, as mapinfo prints it.
    EXPECT_TRUE(std::regex_search(out.substr(aimAfter), std::regex("^aim: .*\n(wall|sector|sprite) \\d+")))
        << out.substr(aimAfter);
    if (std::string(first) == "3d") {
        const std::size_t aimFirst = lineAt(out, "aim: ");
        EXPECT_LT(aimFirst, pointed);
        EXPECT_NE(out.substr(aimFirst, out.find('\n', aimFirst) - aimFirst),
                  out.substr(aimAfter, out.find('\n', aimAfter) - aimAfter))
            << "seen from elsewhere";
    }

    const Picture panel = readPpm(folder.path("panel.ppm")), pointedAt = readPpm(folder.path("pointed.ppm"));
    const Picture clicked = readPpm(folder.path("clicked.ppm")), after = readPpm(folder.path("after.ppm"));
    ASSERT_EQ(after.width, 800) << out;
    EXPECT_GT(TestSupport::differingPixels(pointedAt, clicked), 500) << "the plan slid under the player";
    EXPECT_GT(TestSupport::differingPixels(clicked, after), 2000) << "the 3D view";
    // The panel's black box at the bottom left, in both views.
    for (const Picture* picture : {&panel, &after}) {
        int black = 0;
        for (int y = 560; y < 590; ++y)
            for (int x = 6; x < 200; ++x)
                black += picture->at(x, y) == 0;
        EXPECT_GT(black, 2000);
    }
}

} // namespace

TEST(PanelSession, walkviewUnderX) { askWhatThingsAre(WALKVIEW_PATH, "Gorvax 3D Map Viewer", "3d"); }

TEST(PanelSession, planviewUnderX) { askWhatThingsAre(PLANVIEW_PATH, "Gorvax 2D Map Viewer", "plan"); }
