// The property of the export: a file read back holds what the world holds
// (ReadBack.h), for the demo maps, large.map and huge.map and for a map
// that is not symmetric; and the check is strong enough to catch a level
// mirrored, a hole filled in and texture coordinates a texel row off.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "ReadBack.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/MapSource.h"
#include "mapdata/TileSet.h"
#include "tests/support/DemoTileGroup.h"
#include "tests/support/MapLoading.h"
#include "tests/support/TileArchive.h"
#include "tools/authoring/MapBuilder.h"
#include "tools/mapexport/LevelExport.h"
#include "viewer/MapList.h"
#include "world/World.h"

using namespace Vell3D;

namespace {

struct Exported {
    World world;
    tinygltf::Model model;
};

void exportInto(Exported& out, const Map& map, TileSet& tiles)
{
    out.world.build(map);
    out.world.attachTextures(tiles);
    VellTools::LevelExport level(map, out.world, {});
    out.model = ReadBack::load(level.model().glb());
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < 10; ++i)
        text += lines[i] + "\n";
    return text;
}

// An L of two rooms, the leg towards map +x, with a square hole in the
// corner room; no symmetry maps it onto itself.
VellTools::MapContent lShape(bool hole)
{
    VellTools::MapBuilder b;
    b.sectorDefaults.floorTile = 1;
    b.sectorDefaults.ceilingTile = 2;
    b.wallDefaults.tile = 3;
    b.wallDefaults.repeatX = 8;
    b.wallDefaults.repeatY = 8;
    const int corner = b.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, -16 * 512);
    if (hole)
        b.addInnerLoop(corner, {{256, 256}, {256, 512}, {512, 512}, {512, 256}});
    b.addSector({{1024, 0}, {3072, 0}, {3072, 512}, {1024, 512}}, -16 * 64, -16 * 512);
    b.sector(1).floorPanX = 64;
    b.setStart(128, 768, 0, 0, 0);
    return b.build();
}

class ReadBackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        archive = std::make_unique<TestSupport::TileArchive>(
            TestSupport::demoTileGroup(TestSupport::SecondArtFile::good).bytes());
    }
    // Held by pointer: its destructor may throw, a fixture's may not.
    std::unique_ptr<TestSupport::TileArchive> archive;
};

} // namespace

TEST(ReadBackDemo, EveryMapOfTheDemoArchivesReadsBackAsItsWorld)
{
    for (const char* path : {DEMO_ARCHIVE, LARGE_ARCHIVE}) {
        GroupArchive archive;
        archive.open(path);
        TileSet tiles;
        tiles.load(archive, "tiles", "palette.dat");
        const MapList maps(archive);
        for (int i = 0; i < maps.size(); ++i) {
            SCOPED_TRACE(std::string(path) + " " + maps.at(i));
            Exported e;
            exportInto(e, loadMapEntry(archive, maps.at(i).c_str()), tiles);
            const std::vector<std::string> problems = ReadBack::check(e.model, e.world, tiles);
            EXPECT_TRUE(problems.empty()) << joined(problems);
        }
    }
}

// Map x runs along the file's -X (world x = -map x) and map y along -Z
// (glTF Z = -world y): the leg of the L lies at negative X, and the floors
// face up.
TEST_F(ReadBackTest, AnAsymmetricMapKeepsItsHandednessAndFacesUp)
{
    Exported e;
    exportInto(e, TestSupport::loadMap(lShape(true)), archive->tiles);
    const std::vector<std::string> problems = ReadBack::check(e.model, e.world, archive->tiles);
    EXPECT_TRUE(problems.empty()) << joined(problems);
    const std::vector<ReadBack::Triangle> leg = ReadBack::trianglesOf(e.model, "sector 1");
    ASSERT_FALSE(leg.empty());
    double minX = 1e9;
    for (const ReadBack::Triangle& t : leg)
        for (const auto& p : t.p)
            minX = std::min(minX, p[0]);
    EXPECT_NEAR(minX, -3072.0, 0.01) << "world x of the leg's far end";
    const tinygltf::Node* node = nullptr;
    for (const tinygltf::Node& n : e.model.nodes)
        if (n.name == "sector 1")
            node = &n;
    ASSERT_NE(node, nullptr);
    const tinygltf::Accessor& positions =
        e.model.accessors[std::size_t(e.model.meshes[std::size_t(node->mesh)].primitives[0].attributes.at("POSITION"))];
    EXPECT_NEAR(positions.minValues[0], -3072.0 / 320.0, 1e-4) << "file X of the leg's far end";
    EXPECT_LT(positions.maxValues[0], 0.0);
}

TEST_F(ReadBackTest, AMirroredLevelFails)
{
    Exported e;
    exportInto(e, TestSupport::loadMap(lShape(true)), archive->tiles);
    ReadBack::editFloats<3>(e.model, TINYGLTF_TYPE_VEC3, [](float* p) { p[0] = -p[0]; });
    EXPECT_FALSE(ReadBack::check(e.model, e.world, archive->tiles).empty());
}

TEST_F(ReadBackTest, AFilledHoleFails)
{
    Exported holed, filled;
    exportInto(holed, TestSupport::loadMap(lShape(true)), archive->tiles);
    exportInto(filled, TestSupport::loadMap(lShape(false)), archive->tiles);
    EXPECT_FALSE(ReadBack::check(filled.model, holed.world, archive->tiles).empty());
}

TEST_F(ReadBackTest, TextureCoordinatesATexelRowOffFail)
{
    Exported e;
    exportInto(e, TestSupport::loadMap(lShape(true)), archive->tiles);
    // The demo tiles are 64 texels high.
    ReadBack::editFloats<2>(e.model, TINYGLTF_TYPE_VEC2, [](float* uv) { uv[1] += 1.0f / 64.0f; });
    EXPECT_FALSE(ReadBack::check(e.model, e.world, archive->tiles).empty());
}
