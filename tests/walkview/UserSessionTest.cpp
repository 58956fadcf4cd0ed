// walkview as a user meets it: the real program on an X server (Xvfb),
// driven by xdotool, its window captured with xwd.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../support/ProgramRun.h"
#include "WalkviewFixture.h"

namespace {

using TestSupport::Picture;
using TestSupport::readPpm;

// Distinct colours in the picture below the overlay.
std::size_t colours(const Picture& image)
{
    std::set<std::uint32_t> seen;
    for (int y = 150; y < image.height; y += 3)
        for (int x = 0; x < image.width; x += 3)
            seen.insert(image.at(x, y));
    return seen.size();
}

// Whether the overlay line of the row reads differently in the two pictures.
bool rowDiffers(const Picture& a, const Picture& b, int row)
{
    for (int y = 16 * row; y < 16 * (row + 1); ++y)
        for (int x = 20; x < 300; ++x)
            if ((a.at(x, y) == 0xFFFFFF) != (b.at(x, y) == 0xFFFFFF))
                return true;
    return false;
}

// The session of user_session.sh on a map, with the demo archive: the
// textured picture under the overlay, the keys and the mouse seen in the
// position and angle lines, the wire view, and Esc ending with status 0.
void walkLookSwapAndEsc(const std::string& map)
{
    TestSupport::ScratchFolder folder("walkview-session");
    TestSupport::ProgramRun run = TestSupport::runCommand(
        std::string("bash '" SESSION_SCRIPT "' '" WALKVIEW_PATH "' '" DEMO_ARCHIVE "' '") + map + "' '" +
        folder.path("") + "' 2>&1");
    if (run.status == 77)
        GTEST_SKIP() << run.output;
    ASSERT_NE(run.output.find("status 0\n"), std::string::npos) << run.output;

    const Picture picture = readPpm(folder.path("capture.ppm"));
    ASSERT_EQ(picture.width, 800) << run.output;
    ASSERT_EQ(picture.height, 600);
    // The textured view: many colours, not one clear colour or black.
    EXPECT_GT(colours(picture), 50u);
    // The overlay's white text in the top left corner.
    int white = 0;
    for (int y = 16; y < 16 * 9; ++y)
        for (int x = 10; x < 200; ++x)
            white += picture.at(x, y) == 0xFFFFFF;
    EXPECT_GT(white, 200);

    // The keys and the mouse arrived: the position line (row 2) and the
    // angle line (row 3) of the overlay changed since the start.
    const Picture start = readPpm(folder.path("start.ppm"));
    ASSERT_EQ(start.width, 800);
    EXPECT_TRUE(rowDiffers(start, picture, 2));
    EXPECT_TRUE(rowDiffers(start, picture, 3));

    // The wire renderer draws lines on black: far fewer colours.
    const Picture wire = readPpm(folder.path("wire.ppm"));
    ASSERT_EQ(wire.width, 800);
    EXPECT_LT(colours(wire), colours(picture));
}

} // namespace

TEST(UserSession, walkLookSwapAndEscOnTheDemoArchive)
{
    walkLookSwapAndEsc("$");
}

// huge.map from disk, at the largest counts the viewers read.
TEST(UserSession, walkLookSwapAndEscOnTheHugeMap)
{
    walkLookSwapAndEsc(HUGE_MAP);
}
