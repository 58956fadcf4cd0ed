// walkview as a user meets it: the real program on an X server (Xvfb),
// driven by xdotool, its window captured with xwd.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "../support/ProgramRun.h"
#include "WalkviewFixture.h"

namespace {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;   // 0xRRGGBB
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// The next header field of a PPM; comments ("# ..." to the line end) are
// skipped (convert keeps the window's name as one).
std::string headerField(std::istream& in)
{
    std::string field;
    while (in >> field && field[0] == '#')
        in.ignore(1 << 20, '\n');
    return field;
}

// A binary PPM with 8-bit samples, as convert writes it.
bool readPPM(const std::string& path, Image& image)
{
    std::ifstream in(path, std::ios::binary);
    if (headerField(in) != "P6")
        return false;
    image.width = std::atoi(headerField(in).c_str());
    image.height = std::atoi(headerField(in).c_str());
    if (headerField(in) != "255" || image.width <= 0 || image.height <= 0)
        return false;
    in.get();
    std::vector<unsigned char> bytes(std::size_t(image.width) * std::size_t(image.height) * 3);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size())))
        return false;
    for (std::size_t i = 0; i < bytes.size(); i += 3)
        image.pixels.push_back(std::uint32_t(bytes[i]) << 16 | std::uint32_t(bytes[i + 1]) << 8 | bytes[i + 2]);
    return true;
}

// Distinct colours in the picture below the overlay.
std::size_t colours(const Image& image)
{
    std::set<std::uint32_t> seen;
    for (int y = 150; y < image.height; y += 3)
        for (int x = 0; x < image.width; x += 3)
            seen.insert(image.at(x, y));
    return seen.size();
}

// Whether the overlay line of the row reads differently in the two pictures.
bool rowDiffers(const Image& a, const Image& b, int row)
{
    for (int y = 16 * row; y < 16 * (row + 1); ++y)
        for (int x = 20; x < 300; ++x)
            if ((a.at(x, y) == 0xFFFFFF) != (b.at(x, y) == 0xFFFFFF))
                return true;
    return false;
}

// The session of user_session.sh on a map, with the demo archive: the
// textured picture under the overlay, the keys and the mouse seen in the
// position and angle lines, the outline view, and Esc ending with status 0.
void walkLookSwapAndEsc(const std::string& map)
{
    WalkviewFixture::ScratchFolder folder;
    TestSupport::ProgramRun run = TestSupport::runCommand(
        std::string("bash '" USER_SESSION_SCRIPT "' '" WALKVIEW_PATH "' '" DEMO_ARCHIVE "' '") + map + "' '" +
        folder.path("") + "' 2>&1");
    if (run.status == 77)
        GTEST_SKIP() << run.output;
    ASSERT_NE(run.output.find("status 0\n"), std::string::npos) << run.output;

    Image picture;
    ASSERT_TRUE(readPPM(folder.path("capture.ppm"), picture)) << run.output;
    ASSERT_EQ(picture.width, 800);
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
    Image start;
    ASSERT_TRUE(readPPM(folder.path("start.ppm"), start));
    EXPECT_TRUE(rowDiffers(start, picture, 2));
    EXPECT_TRUE(rowDiffers(start, picture, 3));

    // The outline renderer draws lines on black: far fewer colours.
    Image outline;
    ASSERT_TRUE(readPPM(folder.path("outline.ppm"), outline));
    EXPECT_LT(colours(outline), colours(picture));
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
