// mkdemo end to end: the built program writes an archive the loaders accept.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "mapdata/Map.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScratchFolder.h"

using namespace Vell3D;

namespace {

namespace fs = std::filesystem;

class Mkdemo : public ::testing::Test {
protected:
    static TestSupport::ProgramRun mkdemo(const std::string& arguments)
    {
        return TestSupport::runCommand(std::string("'") + MKDEMO_PATH + "' " + arguments + " 2>&1");
    }

    static int sectorsOf(GroupArchive& archive, const char* entry)
    {
        Map map;
        GroupEntryStream stream(entry, archive);
        map.load(stream);
        return map.sectorCount();
    }

    TestSupport::ScratchFolder scratch{"mkdemo"};
    const fs::path folder{scratch.path("made")};   // mkdemo makes it
};

TEST_F(Mkdemo, WrongCommandLineShowsUsageWithStatusTwo)
{
    for (const char* arguments : {"", "--large", "a b", "--small x"}) {
        TestSupport::ProgramRun run = mkdemo(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.output.find("use: mkdemo"), std::string::npos) << arguments;
    }
}

TEST_F(Mkdemo, LargeWritesAllMapsInsideAndBesideTheArchive)
{
    ASSERT_EQ(mkdemo("--large '" + folder.string() + "'").status, 0);
    EXPECT_TRUE(fs::exists(folder / "demo.map"));
    EXPECT_EQ(fs::file_size(folder / "large.map"), 26u + 40 * 1024 + 32 * 8192 + 44 * 4096);
    EXPECT_EQ(fs::file_size(folder / "huge.map"), 26u + 40 * 4096 + 32 * 16384 + 44 * 16384);

    GroupArchive archive;
    archive.open((folder / "demo.grp").c_str());
    EXPECT_EQ(sectorsOf(archive, "large.map"), 1024);
    EXPECT_EQ(sectorsOf(archive, "huge.map"), 4096);
    EXPECT_GT(sectorsOf(archive, "e3l1.map"), 0);
    EXPECT_GT(sectorsOf(archive, "demo.map"), 0);
    EXPECT_NO_THROW(archive.findEntry("palette.dat"));
    EXPECT_NO_THROW(archive.findEntry("tiles000.art"));
    EXPECT_NO_THROW(archive.findEntry("tiles001.art"));
}

TEST_F(Mkdemo, UnwritableFolderIsReportedWithStatusOne)
{
    TestSupport::ProgramRun run = mkdemo("/proc/no-such-folder");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("unhandled exception: IOException\n[exception message: "),
              std::string::npos) << run.output;
}

} // namespace
