// mapshot end to end: the built program against reference pictures of the
// demo archive, a gallery of a whole archive with a map that fails, and the
// command lines it refuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/FileOutput.h"
#include "gui/PngFile.h"
#include "tests/support/DemoTileGroup.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScratchFolder.h"
#include "tests/tools/MapshotCases.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoMaps.h"

namespace {

namespace fs = std::filesystem;
using Vell::Picture;

// Rounding (another Mesa, another CPU's vector width) moves polygon edges by
// a pixel and texels by a few levels: well under 0.5 % of a picture, and
// rarely by more than 24 in a channel. A missing or misplaced surface, a
// wrong texture or a lost mirror changes far more than 0.5 % of the pixels.
constexpr int channelTolerance = 24;
constexpr double differingShare = 0.005;

struct Difference {
    double share = 1.0;
    Picture marked;   // the picture with differing pixels in magenta
};

Difference compare(const Picture& expected, const Picture& actual)
{
    Difference d;
    if (expected.width != actual.width || expected.height != actual.height || expected.pixels.empty())
        return d;
    d.marked = actual;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < actual.pixels.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = int(expected.pixels[i] >> shift & 0xFF), b = int(actual.pixels[i] >> shift & 0xFF);
            if (std::abs(a - b) > channelTolerance) {
                ++differing;
                d.marked.pixels[i] = 0xFFFF00FFu;
                break;
            }
        }
    }
    d.share = double(differing) / double(actual.pixels.size());
    return d;
}

TestSupport::ProgramRun mapshot(const std::string& arguments)
{
    // The GL driver's caches and its shader compiler's allocations are not
    // ours to check (see tests/support/GLDriverLeaks.cpp).
    return TestSupport::runCommand("SDL_VIDEODRIVER=offscreen ASAN_OPTIONS=detect_leaks=0:alloc_dealloc_mismatch=0 '" +
                                   std::string(MAPSHOT_PATH) + "' " + arguments +
                                   " 2>&1");
}

std::string readText(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Mapshot, picturesMatchTheReferencesOfTheDemoArchive)
{
    const fs::path out = fs::path(MAPSHOT_OUTPUT_DIR);
    fs::create_directories(out);
    for (const MapshotCases::Case& c : MapshotCases::all()) {
        SCOPED_TRACE(c.file);
        const fs::path made = out / c.file;
        const auto run = mapshot(std::string(c.arguments) + " '" + DEMO_ARCHIVE + "' '" + c.map + "' '" +
                                 made.string() + "'");
        ASSERT_EQ(run.status, 0) << run.output;
        if (std::getenv("REFRESH_PICTURES")) {   // scripts/refresh-pictures
            fs::copy_file(made, fs::path(REFERENCE_PICTURES) / c.file, fs::copy_options::overwrite_existing);
            continue;
        }
        const Picture expected = Vell::readPng(std::string(REFERENCE_PICTURES) + "/" + c.file);
        const Difference d = compare(expected, Vell::readPng(made.string()));
        if (d.share >= differingShare && !d.marked.pixels.empty())
            Vell::writePng((out / (std::string("diff-") + c.file)).string(), d.marked);
        EXPECT_LT(d.share, differingShare) << "the picture made is " << made << "; differing pixels in magenta: "
                                           << out / (std::string("diff-") + c.file)
                                           << "; scripts/refresh-pictures remakes the references on purpose";
    }
}

TEST(Mapshot, galleryListsEveryMapAndTheErrorOfOneThatFails)
{
    const TestSupport::ScratchFolder scratch("mapshot-gallery");
    const fs::path dir = scratch.path("");
    VellTools::GroupWriter group = TestSupport::demoTileGroup(TestSupport::SecondArtFile::none);
    group.add("E3L1.MAP", VellTools::MapWriter::bytes(VellTools::firstLevelMap()));
    VellTools::Bytes broken = VellTools::MapWriter::bytes(VellTools::showcaseMap());
    broken[0] = 10;   // a version the viewers do not read
    group.add("BROKEN.MAP", broken);
    group.add("NOTES.TXT", VellTools::Bytes{'h', 'i'});
    Vell::writeFile((dir / "set.grp").string(), group.bytes());

    const auto run = mapshot("--all --size 160x120 '" + (dir / "set.grp").string() + "' '" + (dir / "out").string() + "'");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("[1/2] BROKEN.MAP failed: Exception: bad map format"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("[2/2] E3L1.MAP ok"), std::string::npos) << run.output;

    const Picture picture = Vell::readPng((dir / "out" / "E3L1.png").string());
    EXPECT_EQ(picture.width, 160);
    EXPECT_EQ(picture.height, 120);
    EXPECT_FALSE(fs::exists(dir / "out" / "BROKEN.png"));
    EXPECT_FALSE(fs::exists(dir / "out" / "NOTES.png"));
    const std::string page = readText(dir / "out" / "index.html");
    EXPECT_NE(page.find("<img src=\"E3L1.png\""), std::string::npos) << page;
    EXPECT_NE(page.find("bad map format"), std::string::npos) << page;
    EXPECT_NE(page.find("sectors 12, walls 76, sprites 6"), std::string::npos) << page;
    // Nothing half-written or temporary is left beside the results.
    for (const auto& entry : fs::directory_iterator(dir / "out"))
        EXPECT_TRUE(entry.path().extension() == ".png" || entry.path().filename() == "index.html") << entry.path();
}

// An art file that stops the tiles early: the picture is made with the
// tiles read, and standard error says which file stopped them and why.
TEST(Mapshot, anArtFileThatStopsTheTilesIsSaid)
{
    const TestSupport::ScratchFolder scratch("mapshot-art");
    const fs::path dir = scratch.path("");
    VellTools::GroupWriter group = TestSupport::demoTileGroup(TestSupport::SecondArtFile::unreadable);
    group.add("E3L1.MAP", VellTools::MapWriter::bytes(VellTools::firstLevelMap()));
    Vell::writeFile((dir / "set.grp").string(), group.bytes());

    const auto run = mapshot("--size 160x120 '" + (dir / "set.grp").string() + "' '$' '" +
                             (dir / "e3l1.png").string() + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "mapshot: tiles001.art: bad art file\n");
    EXPECT_EQ(Vell::readPng((dir / "e3l1.png").string()).width, 160);
}

TEST(Mapshot, commandLinesOutOfRangeGiveTheUsageAndStatusTwo)
{
    const std::string grp = std::string("'") + DEMO_ARCHIVE + "' ";
    for (const std::string& arguments :
         {std::string(""), grp + "'$'", "--size 63x48 " + grp + "'$' x.png", "--size 800 " + grp + "'$' x.png",
          "--view 4d " + grp + "'$' x.png", "--angle east " + grp + "'$' x.png", "--at 1 " + grp + "'$' x.png",
          "--all " + grp, "--size 100000x100 " + grp + "'$' x.png"}) {
        SCOPED_TRACE(arguments);
        const auto run = mapshot(arguments);
        EXPECT_EQ(run.status, 2) << run.output;
        EXPECT_NE(run.output.find("use: mapshot"), std::string::npos) << run.output;
    }
    EXPECT_FALSE(fs::exists("x.png"));
}

// --help anywhere: the usage alone, on standard output, and status 0.
TEST(Mapshot, helpWritesTheUsageOnStandardOutputAndEndsWithZero)
{
    for (const std::string& arguments : {std::string("--help"), std::string("--view plan --help 'a.grp'")}) {
        SCOPED_TRACE(arguments);
        const auto run = TestSupport::runCommand("SDL_VIDEODRIVER=offscreen '" + std::string(MAPSHOT_PATH) + "' " +
                                                 arguments + " 2>/dev/null");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.output.rfind("use: mapshot", 0), 0u) << run.output;
        EXPECT_NE(run.output.find("  --help "), std::string::npos) << run.output;
        EXPECT_EQ(mapshot(arguments).output, run.output) << "nothing on standard error";
    }
}

} // namespace
