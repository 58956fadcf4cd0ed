// mapexport as a user runs it: every map of the demo archives, and of an
// archive of maps of every version built here, passes the Khronos glTF
// validator with no error and no warning, as .glb and as .gltf; the
// command line and bad input end as the other tools end, and the archive
// and older files are never harmed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/DemoTileGroup.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScratchFolder.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoMaps.h"

using TestSupport::runCommand;

namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& s)
{
    return "'" + s + "'";
}

TestSupport::ProgramRun mapexport(const std::string& arguments)
{
    return runCommand(std::string(MAPEXPORT_PATH) + " " + arguments + " 2>&1");
}

std::string validatorFolder()
{
    return fs::path(VALIDATOR_SCRIPT).parent_path().string();
}

// The files of a folder that the validator reads first.
std::string glTFFilesIn(const std::string& folder)
{
    std::string files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".glb" || entry.path().extension() == ".gltf")
            files += " " + quoted(entry.path().string());
    return files;
}

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

TEST(Mapexport, EveryMapPassesTheGltfValidator)
{
    ASSERT_EQ(runCommand("command -v node >/dev/null").status, 0) << "node is missing: run scripts/deps";
    ASSERT_TRUE(fs::exists(validatorFolder() + "/node_modules/gltf-validator"))
        << "the glTF validator is missing: run scripts/deps (npm ci in " << validatorFolder() << ")";
    TestSupport::ScratchFolder folder("mapexport");
    // Maps of versions 7, 8 and 9 in an archive of the test's own.
    VellTools::GroupWriter group = TestSupport::demoTileGroup(TestSupport::SecondArtFile::good);
    for (int version : {7, 8, 9}) {
        VellTools::MapContent map = VellTools::showcaseMap();
        map.version = version;
        group.add("V" + std::to_string(version) + ".MAP", VellTools::MapWriter::bytes(map));
    }
    const std::string built = folder.write("built.grp", group.bytes());
    for (const std::string& archive : {std::string(DEMO_ARCHIVE), std::string(LARGE_ARCHIVE), built}) {
        const std::string out = folder.path("glb-" + std::to_string(std::hash<std::string>()(archive)));
        const auto run = mapexport("--all " + quoted(archive) + " " + quoted(out));
        EXPECT_EQ(run.status, 0) << run.output;
    }
    const auto gltf = mapexport("--all --gltf " + quoted(DEMO_ARCHIVE) + " " + quoted(folder.path("gltf")));
    EXPECT_EQ(gltf.status, 0) << gltf.output;
    std::string files;
    for (const auto& entry : fs::directory_iterator(folder.path("")))
        if (entry.is_directory())
            files += glTFFilesIn(entry.path().string());
    const auto report = runCommand("node " + quoted(VALIDATOR_SCRIPT) + files + " 2>&1");
    EXPECT_EQ(report.status, 0) << report.output;
    EXPECT_NE(report.output.find("HUGE.glb: 0 errors, 0 warnings"), std::string::npos) << report.output;
    EXPECT_NE(report.output.find("V9.glb: 0 errors, 0 warnings"), std::string::npos) << report.output;
}

TEST(Mapexport, CommandLineAndBadInputEndAsTheOtherToolsEnd)
{
    TestSupport::ScratchFolder folder("mapexport");
    const std::string grp = quoted(DEMO_ARCHIVE);
    EXPECT_EQ(mapexport("").status, 2);
    EXPECT_EQ(mapexport(grp + " $").status, 2);
    EXPECT_EQ(mapexport("--bogus " + grp + " $ x.glb").status, 2);
    EXPECT_EQ(mapexport("--html --gltf " + grp + " $ x.html").status, 2);
    const auto help = mapexport("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("use: mapexport"), std::string::npos);

    const auto missing = mapexport(quoted(folder.path("none.grp")) + " $ " + quoted(folder.path("a.glb")));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("none.grp"), std::string::npos) << missing.output;
    const auto noMap = mapexport(grp + " nosuch.map " + quoted(folder.path("a.glb")));
    EXPECT_EQ(noMap.status, 1);
    EXPECT_NE(noMap.output.find("nosuch.map"), std::string::npos) << noMap.output;
    const std::string bad = folder.write("bad.map", {7, 0, 0, 0, 1, 2});
    const auto badMap = mapexport(grp + " " + quoted(bad) + " " + quoted(folder.path("a.glb")));
    EXPECT_EQ(badMap.status, 1);
    EXPECT_NE(badMap.output.find("bad.map"), std::string::npos) << badMap.output;
    EXPECT_FALSE(fs::exists(folder.path("a.glb"))) << "nothing written for a map that failed";

    // The archive is never the output, not even by another name.
    const std::string copy = folder.write("copy.grp", std::vector<std::uint8_t>(
        std::istreambuf_iterator<char>(*std::make_unique<std::ifstream>(DEMO_ARCHIVE, std::ios::binary)), {}));
    const std::string before = contents(copy);
    fs::create_symlink(copy, folder.path("link.glb"));
    for (const std::string& out : {copy, folder.path("link.glb")}) {
        for (const char* kind : {"", "--html "}) {
            const auto run = mapexport(kind + quoted(copy) + " $ " + quoted(out));
            EXPECT_EQ(run.status, 1) << run.output;
            EXPECT_NE(run.output.find("archive"), std::string::npos) << run.output;
        }
    }
    EXPECT_EQ(contents(copy), before);

    // An older file is replaced whole, and no temporary is left beside it.
    const std::string out = folder.write("level.glb", {1, 2, 3});
    EXPECT_EQ(mapexport(grp + " demo.map " + quoted(out)).status, 0);
    EXPECT_EQ(contents(out).substr(0, 4), "glTF");
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder.path("")))
        files += entry.path().filename().string()[0] == '.';
    EXPECT_EQ(files, 0) << "a temporary was left";
}

// --all --html beside mapshot's gallery: a page per map, and an index that
// links each with its picture where there is one. (What a page fetches is
// watched in the browser, PageTest.)
TEST(Mapexport, AllPagesAndTheirIndex)
{
    TestSupport::ScratchFolder folder("mapexport");
    const std::string out = folder.path("pages");
    fs::create_directory(out);
    // The GL driver's own allocations are not ours to check for leaks.
    const auto shots = runCommand(std::string("ASAN_OPTIONS=detect_leaks=0:alloc_dealloc_mismatch=0 ") + MAPSHOT_PATH + " --all --size 160x120 " + quoted(DEMO_ARCHIVE) + " " +
                                  quoted(out) + " 2>&1");
    ASSERT_EQ(shots.status, 0) << shots.output;
    fs::remove(out + "/DEMO.png");   // a map without its picture
    const auto run = mapexport("--all --html " + quoted(DEMO_ARCHIVE) + " " + quoted(out));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string index = contents(out + "/index.html");
    for (const char* name : {"E3L1", "DEMO"}) {
        const std::string page = contents(out + "/" + name + ".html");
        EXPECT_NE(page.find("<title>" + std::string(name) + ".MAP</title>"), std::string::npos);
        EXPECT_NE(index.find("href=\"" + std::string(name) + ".html\""), std::string::npos) << index;
    }
    EXPECT_NE(index.find("src=\"E3L1.png\""), std::string::npos) << index;
    EXPECT_EQ(index.find("src=\"DEMO.png\""), std::string::npos) << index;
}
