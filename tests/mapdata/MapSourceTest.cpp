#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "MapdataFiles.h"
#include "core/Exception.h"
#include "mapdata/MapSource.h"
#include "tests/support/ThrownText.h"

using namespace Vell3D;
using namespace MapdataFiles;

namespace {

// Each map tells where it came from by its start x.
constexpr int fromDisk = 1, fromArchive = 2, fromDefault = 3;

Bytes mapMarked(int mark)
{
    MapImage image = numberedMap(1, 3, 0);
    image.x = mark;
    return image.bytes();
}

class MapSourceTest : public ::testing::Test {
protected:
    // The archive may refuse destruction; gtest fixtures may not.
    ~MapSourceTest() noexcept override {}

    void SetUp() override
    {
        writeFile(scratch.path("test.grp"),
                  archiveWith({{"E3L1.MAP", mapMarked(fromDefault)},
                               {"E1L2.MAP", mapMarked(fromArchive)},
                               {"SHARED.MAP", mapMarked(fromArchive)}}));
        archive.open(scratch.path("test.grp").c_str());
    }

    int sourceOf(const std::string& name) { return int(loadMapByName(archive, name.c_str()).start().x); }

    std::string failureOf(const std::string& name)
    {
        return TestSupport::thrownMessage([&] { loadMapByName(archive, name.c_str()); }, "loaded");
    }

    // Runs the action with the scratch folder as working folder, so that a
    // bare name can be a file on disk and an archive entry at once.
    template <typename Action>
    auto inScratch(Action action)
    {
        char* previous = getcwd(nullptr, 0);
        EXPECT_EQ(chdir(scratch.path("").c_str()), 0);
        auto result = action();
        EXPECT_EQ(chdir(previous), 0);
        free(previous);
        return result;
    }

    ScratchFolder scratch;
    GroupArchive archive;
};

} // namespace

TEST_F(MapSourceTest, DollarIsTheArchiveDefaultEvenWithSuchAFile)
{
    writeFile(scratch.path("$"), mapMarked(fromDisk));
    EXPECT_EQ(inScratch([&] { return sourceOf("$"); }), fromDefault);
}

TEST_F(MapSourceTest, FileOnDiskComesFirst)
{
    writeFile(scratch.path("shared.map"), mapMarked(fromDisk));
    EXPECT_EQ(inScratch([&] { return sourceOf("shared.map"); }), fromDisk);
}

TEST_F(MapSourceTest, ReadOnlyFileIsReadFromDisk)
{
    std::string path = scratch.path("locked.map");
    writeFile(path, mapMarked(fromDisk));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(sourceOf(path), fromDisk);
}

TEST_F(MapSourceTest, OtherNamesAreArchiveEntries)
{
    EXPECT_EQ(sourceOf("e1l2.map"), fromArchive);
    EXPECT_EQ(failureOf("e9l9.map"), "can't find grp entry e9l9.map");
}

TEST_F(MapSourceTest, FileThatEndsTooEarlyFallsBackToTheArchive)
{
    Bytes cut = mapMarked(fromDisk);
    cut.resize(cut.size() - 1);
    writeFile(scratch.path("e1l2.map"), cut);
    EXPECT_EQ(inScratch([&] { return sourceOf("e1l2.map"); }), fromArchive);
}

TEST_F(MapSourceTest, BadMapOnDiskIsFinal)
{
    MapImage image;
    image.version = 5;
    writeFile(scratch.path("e1l2.map"), image.bytes());
    EXPECT_EQ(inScratch([&] { return failureOf("e1l2.map"); }), "bad map format in e1l2.map");
}

// The name goes between what is wrong and why; a name too long for the
// message gives up its front, never the reason.
TEST_F(MapSourceTest, TheMapsNameGoesBeforeTheReason)
{
    MapImage image;
    image.sectorCount = 1100;
    writeFile(scratch.path("e1l2.map"), image.bytes());
    EXPECT_EQ(inScratch([&] { return failureOf("e1l2.map"); }),
              "bad map format in e1l2.map: 1100 sectors, version 7 allows 1024");

    const std::string folder = scratch.path(std::string(150, 'd'));
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    writeFile(folder + "/e1l2.map", image.bytes());
    const std::string message = failureOf(folder + "/e1l2.map");
    EXPECT_EQ(message.rfind("bad map format in ...ddd", 0), 0u) << message;
    EXPECT_TRUE(message.ends_with("ddd/e1l2.map: 1100 sectors, version 7 allows 1024")) << message;
    EXPECT_EQ(message.size(), 127u);
}

// Exceptions without a reason, such as a read past an entry's end, only
// get the name.
TEST_F(MapSourceTest, AFailureWithoutAReasonGetsTheNameAtTheEnd)
{
    Bytes cut = mapMarked(fromArchive);
    cut.resize(cut.size() - 1);
    writeFile(scratch.path("cut.grp"), archiveWith({{"CUT.MAP", cut}}));
    GroupArchive cutArchive;
    cutArchive.open(scratch.path("cut.grp").c_str());
    EXPECT_EQ(TestSupport::thrownMessage([&] { loadMapByName(cutArchive, "cut.map"); }, "loaded"),
              "bad size while read in cut.map");
}
