#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "MapdataFiles.h"
#include "core/Exception.h"
#include "core/File.h"
#include "core/String.h"
#include "core/TextStream.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "mapdata/Map.h"
#include "tests/support/ThrownText.h"

using namespace Vell3D;
using namespace MapdataFiles;

namespace {

class MapTest : public ::testing::Test {
protected:
    // The same bytes must load alike from a file and from an archive entry,
    // whose stream starts and ends inside a larger file.
    void loadFile(Map& map, const Bytes& bytes)
    {
        std::string path = scratch.path("test.map");
        writeFile(path, bytes);
        Vell::File file(path.c_str(), Vell::File::readOnly);
        map.load(file);
    }

    void loadEntry(Map& map, const Bytes& bytes)
    {
        std::string path = scratch.path("test.grp");
        writeFile(path, archiveWith({{"TEST.MAP", bytes}, {"AFTER", Bytes(64, 0x55)}}));
        GroupArchive archive;
        archive.open(path.c_str());
        GroupEntryStream stream("test.map", archive);
        map.load(stream);
    }

    static std::string failure(const std::function<void()>& action)
    {
        return TestSupport::thrownReport(action, "loaded");
    }

    static std::string printed(const Map& map)
    {
        Vell::String text;
        {
            Vell::TextStream out(text);
            out << map;
        }
        return text.text();
    }

    template <typename Record>
    static bool sameRecords(const std::vector<Record>& a, const std::vector<Record>& b)
    {
        return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Record)) == 0);
    }

    static void expectSameTables(const Map& map, const MapImage& image)
    {
        EXPECT_TRUE(sameRecords(map.sectors(), image.sectors));
        EXPECT_TRUE(sameRecords(map.walls(), image.walls));
        EXPECT_TRUE(sameRecords(map.sprites(), image.sprites));
    }

    ScratchFolder scratch;
};

} // namespace

TEST_F(MapTest, EmptyMapLoadsAndPrintsZeroCounts)
{
    Map map;
    EXPECT_EQ(printed(map), "sectors    : 0\nwalls      : 0\nsprites    : 0\n");
    loadFile(map, MapImage{}.bytes());
    EXPECT_EQ(map.sectorCount() + map.wallCount() + map.spriteCount(), 0);
    EXPECT_EQ(printed(map), "sectors    : 0\nwalls      : 0\nsprites    : 0\n");
    EXPECT_STREQ(map.className(), "Object");
}

TEST_F(MapTest, RecordsAreKeptByteForByte)
{
    MapImage image = numberedMap(3, 7, 2);
    image.walls[4].otherSector = 999;   // out of range: kept as read
    image.sprites[1].sector = -30000;
    Map fromFile, fromEntry;
    loadFile(fromFile, image.bytes());
    loadEntry(fromEntry, image.bytes());
    expectSameTables(fromFile, image);
    expectSameTables(fromEntry, image);
    EXPECT_EQ(printed(fromEntry), "sectors    : 3\nwalls      : 7\nsprites    : 2\n");
    EXPECT_THROW(fromFile.wallAt(7), Vell::ListException);
    EXPECT_THROW(fromFile.sectorAt(-1), Vell::ListException);
    EXPECT_EQ(fromFile.spriteAt(1).sector, -30000);
}

TEST_F(MapTest, StartValuesFollowTheHeader)
{
    MapImage image;
    image.x = -123456;
    image.y = 654321;
    image.angle = 0xFFFF;
    image.sector = 0x8000;
    for (auto [z, expected] : {std::pair{-8, 0.0}, {-16, -1.0}, {-17, -1.0}, {17, 1.0}, {INT32_MIN, -134217728.0}}) {
        image.z = z;
        Map map;
        loadFile(map, image.bytes());
        EXPECT_EQ(map.start().z, expected) << z;
        EXPECT_EQ(map.start().x, -123456.0);
        EXPECT_EQ(map.start().y, 654321.0);
        EXPECT_EQ(map.startAngle(), -1);
        EXPECT_EQ(map.startSector(), -32768);
    }
}

TEST_F(MapTest, WrongVersionLeavesTheMapUnchanged)
{
    Map map;
    MapImage good = numberedMap(2, 3, 1);
    good.x = 77;
    loadFile(map, good.bytes());
    for (std::int32_t version : {6, 10, 0, -7, 0x10007}) {
        MapImage bad = numberedMap(5, 5, 5);
        bad.version = version;
        EXPECT_EQ(failure([&] { loadFile(map, bad.bytes()); }), "Exception: bad map format");
    }
    expectSameTables(map, good);
    EXPECT_EQ(map.start().x, 77.0);
    EXPECT_EQ(map.version(), 7);
}

// Version 7 keeps its limits; 8 and 9 share larger ones. Each table at its
// version's limit loads exactly (from an archive entry, whose stream refuses
// to read past the entry); one more, or a negative count, is refused, from
// either stream, and leaves the last map loaded as it was.
TEST_F(MapTest, EachVersionLoadsUpToItsLimitsAndRefusesOneMore)
{
    struct Limits {
        std::int32_t version;
        int counts[3];   // sectors, walls, sprites
    };
    const Limits rows[] = {{7, {1024, 8192, 4096}}, {8, {4096, 16384, 16384}}, {9, {4096, 16384, 16384}}};
    Map map;
    for (const Limits& row : rows) {
        MapImage full = numberedMap(row.counts[0], row.counts[1], row.counts[2], row.version);
        full.version = row.version;
        loadEntry(map, full.bytes());
        expectSameTables(map, full);
        EXPECT_EQ(map.version(), row.version);
        const char* names[3] = {"sector", "wall", "sprite"};
        for (int table = 0; table < 3; ++table) {
            for (int count : {row.counts[table] + 1, -1, -32768}) {
                MapImage bad = numberedMap(2, 2, 2);
                bad.version = row.version;
                std::optional<std::int16_t>* stored[3] = {&bad.sectorCount, &bad.wallCount, &bad.spriteCount};
                *stored[table] = std::int16_t(count);
                Bytes bytes = bad.bytes();
                // What is wrong, and for a count past the limit which limit.
                const std::string name = names[table];
                const std::string why =
                    count < 0 ? name + " count " + std::to_string(count)
                              : std::to_string(count) + " " + name + "s, version " + std::to_string(row.version) +
                                    " allows " + std::to_string(row.counts[table]);
                EXPECT_EQ(failure([&] { loadFile(map, bytes); }), "Exception: bad map format: " + why);
                EXPECT_EQ(failure([&] { loadEntry(map, bytes); }), "Exception: bad map format: " + why);
            }
        }
        expectSameTables(map, full);
        EXPECT_EQ(map.version(), row.version);
    }
}

// Two sectors may not claim the same wall. Ranges that only touch, empty
// ones and ones outside the wall table (left to the consumers) still load.
TEST_F(MapTest, OverlappingWallRangesAreRefused)
{
    using Ranges = std::vector<std::pair<std::int16_t, std::int16_t>>;
    auto withRanges = [](const Ranges& ranges) {
        MapImage image = numberedMap(int(ranges.size()), 10, 0);
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            image.sectors[i].firstWall = ranges[i].first;
            image.sectors[i].wallCount = ranges[i].second;
        }
        return image;
    };
    Map map;
    MapImage good = withRanges({{4, 4}, {0, 4}, {2, 0}, {8, -3}, {100, 5}});
    loadFile(map, good.bytes());
    expectSameTables(map, good);
    // The message names two sectors that share a wall, the lower number first.
    const std::pair<Ranges, const char*> refused[] = {
        {{{0, 4}, {3, 2}}, "sectors 0 and 1 share walls"},
        {{{0, 4}, {0, 4}}, "sectors 0 and 1 share walls"},
        // the third lies inside the first, though not inside the second
        {{{0, 10}, {2, 1}, {5, 1}}, "sectors 0 and 1 share walls"},
        {{{0, 2}, {2, 10}, {5, 1}}, "sectors 1 and 2 share walls"},
        // out of order: found after sorting, still named by sector number
        {{{8, 2}, {4, 2}, {0, 5}}, "sectors 1 and 2 share walls"},
        {{{-2, 4}, {1, 1}}, "sectors 0 and 1 share walls"}};
    for (const auto& [bad, why] : refused) {
        Bytes bytes = withRanges(bad).bytes();
        EXPECT_EQ(failure([&] { loadFile(map, bytes); }), std::string("Exception: bad map format: ") + why);
        EXPECT_EQ(failure([&] { loadEntry(map, bytes); }), std::string("Exception: bad map format: ") + why);
    }
    expectSameTables(map, good);
}

TEST_F(MapTest, TruncatedMapsFailAndChangeNothing)
{
    Map map;
    MapImage good = numberedMap(2, 2, 2, 1);
    loadFile(map, good.bytes());
    Bytes whole = numberedMap(4, 4, 4, 2).bytes();
    // Cuts inside the header, each count and each table.
    for (std::size_t cut : {std::size_t(2), std::size_t(21), std::size_t(100), std::size_t(22 + 160 + 1),
                            std::size_t(22 + 160 + 2 + 64), whole.size() - 1}) {
        Bytes shortMap(whole.begin(), whole.begin() + std::ptrdiff_t(cut));
        EXPECT_EQ(failure([&] { loadFile(map, shortMap); }),
                  "IOException: can't read " + scratch.path("test.map") + ": the file ends early")
            << cut;
        EXPECT_EQ(failure([&] { loadEntry(map, shortMap); }), "Exception: bad size while read") << cut;
    }
    expectSameTables(map, good);
}

TEST_F(MapTest, LoadingAgainReplacesTheTables)
{
    MapImage image = numberedMap(3, 4, 5);
    Map map;
    loadFile(map, image.bytes());
    loadFile(map, image.bytes());
    expectSameTables(map, image);
    MapImage smaller = numberedMap(1, 0, 2, 3);
    loadEntry(map, smaller.bytes());
    expectSameTables(map, smaller);
}

TEST_F(MapTest, LoadStartsAtTheStreamPositionAndIgnoresTrailingBytes)
{
    MapImage image = numberedMap(1, 2, 3);
    Bytes bytes(5, 0xEE);
    Bytes body = image.bytes();
    bytes.insert(bytes.end(), body.begin(), body.end());
    bytes.insert(bytes.end(), 9, 0xEE);
    std::string path = scratch.path("offset.map");
    writeFile(path, bytes);
    Vell::File file(path.c_str(), Vell::File::readOnly);
    file.seek(5, 0);
    Map map;
    map.load(file);
    expectSameTables(map, image);
    EXPECT_EQ(file.tell(), int(5 + body.size()));
}
