// The real planview program: its exit statuses, and a user's session under
// Xvfb (arrow keys, zoom, Esc) with the window captured as the user saw it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/ProgramRun.h"

using TestSupport::runCommand;

namespace {

const std::string planview = PLANVIEW_PATH;

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const { return &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3]; }
};

// The next header field of a PPM, past comments (ImageMagick writes the
// window's title as one).
std::string field(std::ifstream& in)
{
    std::string word;
    while (in >> word && word[0] == '#')
        std::getline(in, word);
    return word;
}

// A binary PPM as ImageMagick writes it.
Picture readPpm(const std::string& path)
{
    Picture p;
    std::ifstream in(path, std::ios::binary);
    std::string magic = field(in);
    p.width = std::atoi(field(in).c_str());
    p.height = std::atoi(field(in).c_str());
    int maximum = std::atoi(field(in).c_str());
    in.get();
    if (magic != "P6" || maximum != 255 || p.width <= 0 || p.height <= 0 || p.width > 4096 || p.height > 4096)
        return Picture();
    p.rgb.resize(std::size_t(p.width) * std::size_t(p.height) * 3);
    in.read(reinterpret_cast<char*>(p.rgb.data()), std::streamsize(p.rgb.size()));
    return p;
}

int count(const Picture& p, int x0, int y0, int x1, int y1, bool (*test)(const unsigned char*))
{
    int n = 0;
    for (int y = y0; y <= y1 && y < p.height; ++y)
        for (int x = x0; x <= x1 && x < p.width; ++x)
            n += test(p.at(x, y));
    return n;
}

bool white(const unsigned char* c) { return c[0] > 200 && c[1] > 200 && c[2] > 200; }
bool fan(const unsigned char* c) { return c[2] > c[0] + 25 && c[2] > c[1] + 25; }
bool wall(const unsigned char* c) { return c[1] > 100 && c[1] > c[0] + 40 && c[1] > c[2] + 40; }

bool have(const char* tool)
{
    return runCommand(std::string("command -v ") + tool + " >/dev/null 2>&1 && echo yes").output == "yes\n";
}

// planview_x11.sh on a map, with the demo archive: the pictures before and
// after Up, Left and A hold the marker, the fan, the map's walls and the
// status lines and differ; Esc ends it with status 0 and nothing written.
void aUsersSessionUnderX(const std::string& map)
{
    for (const char* tool : {"Xvfb", "xdotool", "xwd", "convert"})
        if (!have(tool))
            GTEST_SKIP() << tool << " is not installed (scripts/deps installs it)";
    std::string out = "/tmp/planview-x11-" + std::to_string(getpid());
    auto run = runCommand(std::string(PLANVIEW_X11_SCRIPT) + " " + planview + " " + DEMO_GRP + " '" + map + "' " +
                          out + " Up Left a");
    EXPECT_EQ(run.output, "status 0\n");   // Esc ended it, and nothing else went wrong

    Picture before = readPpm(out + "/before.ppm"), after = readPpm(out + "/after.ppm");
    ASSERT_GE(before.width, 800);
    ASSERT_GE(before.height, 600);
    ASSERT_EQ(after.width, before.width);
    for (const Picture* p : {&before, &after}) {
        EXPECT_GT(count(*p, 398, 270, 402, 299, white), 15);   // the marker, pointing up
        EXPECT_GT(count(*p, 0, 0, 799, 599, fan), 200);         // the fan
        EXPECT_GT(count(*p, 0, 0, 799, 599, wall), 500);        // the map's walls
        EXPECT_GT(count(*p, 10, 16, 200, 80, white), 40);       // the status lines
    }
    EXPECT_NE(before.rgb, after.rgb);   // walked, turned, came closer
    std::ifstream stdoutFile(out + "/stdout.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stdoutFile), {}), "");
    runCommand("rm -rf " + out);
}

} // namespace

TEST(PlanviewProgram, usageEndsWithTwoAndAFailedStartWithOne)
{
    auto usage = runCommand(planview + " only-one");
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.output, "use: planview <grpfile> <mapname>\n\nthe <mapname> is first tried as a filename, "
                            "then as a map name within the grp file\n\n");
    auto missing = runCommand(planview + " /nonexistent/archive.grp '$' 2>&1");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "unhandled exception: IOException\n[exception message: can't open "
                              "/nonexistent/archive.grp: No such file or directory ]\n");
}

TEST(PlanviewProgram, aUsersSessionUnderX)
{
    aUsersSessionUnderX("$");
}

// huge.map from disk, at the largest counts the viewers read.
TEST(PlanviewProgram, aUsersSessionUnderXOnTheHugeMap)
{
    aUsersSessionUnderX(HUGE_MAP);
}
