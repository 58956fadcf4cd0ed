// What walkview draws, looked at without any GL: floors and ceilings with
// their holes and facing their ways, pieces drawn and left out, the sky.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "surfaces/SkyCylinder.h"
#include "surfaces/WorldSurfaces.h"
#include "tests/support/DemoTileGroup.h"
#include "tests/support/MapLoading.h"
#include "tests/support/TileArchive.h"
#include "tools/authoring/MapBuilder.h"
#include "world/World.h"

using namespace Vell3D;

namespace {

// A 200-unit square (map x and y -100..100) with a 60-unit hole; an
// opening to a second square whose middle is a mirror.
VellTools::MapContent holedSquare()
{
    VellTools::MapBuilder b;
    const int s = b.addSector({{-100, -100}, {100, -100}, {100, 100}, {-100, 100}}, 0, -16 * 64);
    b.addInnerLoop(s, {{-30, -30}, {-30, 30}, {30, 30}, {30, -30}});
    b.addSector({{100, -100}, {300, -100}, {300, 100}, {100, 100}}, -16 * 8, -16 * 56);
    b.setStart(-60, -60, 0, 0, 0);
    return b.build();
}

double zOfNormal(const SurfaceVertex* v)
{
    return (v[1].x - v[0].x) * (v[2].y - v[0].y) - (v[1].y - v[0].y) * (v[2].x - v[0].x);
}

class Surfaces : public ::testing::Test {
protected:
    void SetUp() override
    {
        tiles = std::make_unique<TestSupport::TileArchive>(
            TestSupport::demoTileGroup(TestSupport::SecondArtFile::none).bytes());
        held = std::make_unique<World>();
        held->build(TestSupport::loadMap(holedSquare()));
        held->attachTextures(tiles->tiles);
    }
    const Surface* find(int s, std::uint8_t part) const
    {
        const WorldSurfaces::Range r = surfaces.solid(s);
        for (std::uint32_t i = r.first; i < r.first + r.count; ++i)
            if (surfaces.mesh().surfaces[i].part == part)
                return &surfaces.mesh().surfaces[i];
        return nullptr;
    }

    // Held by pointer: their destructors may throw, a fixture's may not.
    std::unique_ptr<TestSupport::TileArchive> tiles;
    std::unique_ptr<World> held;
    WorldSurfaces surfaces;
};

} // namespace

// Each wall loop is a contour: the hole stays empty, the floor turns up
// and the ceiling down, both covering the square less the hole.
TEST_F(Surfaces, FloorAndCeilingFaceOppositeWaysAndKeepTheirHoles)
{
    surfaces.build(*held);
    for (std::uint8_t part : {std::uint8_t(surfaceFloor), std::uint8_t(surfaceCeiling)}) {
        const Surface* surface = find(0, part);
        ASSERT_NE(surface, nullptr);
        double area = 0.0;
        const SurfaceVertex* v = surfaces.mesh().verticesOf(*surface);
        for (std::uint32_t t = 0; t < surface->triangleCount(); ++t) {
            const double z = zOfNormal(v + 3 * t);
            EXPECT_EQ(z > 0, part == surfaceFloor);
            area += std::fabs(z) / 2;
            const double cx = (v[3 * t].x + v[3 * t + 1].x + v[3 * t + 2].x) / 3;
            const double cy = (v[3 * t].y + v[3 * t + 1].y + v[3 * t + 2].y) / 3;
            EXPECT_FALSE(std::fabs(cx) < 30 && std::fabs(cy) < 30) << "a triangle in the hole";
        }
        EXPECT_NEAR(area, 200.0 * 200.0 - 60.0 * 60.0, 1e-6);
    }
}

// Where the outline crosses itself the cutter makes new vertices, with
// texture coordinates weighed from the ones they lie between.
TEST_F(Surfaces, SelfCrossingOutlinesAreStillCut)
{
    World& world = *held;
    for (int i = 0; i < 8; ++i) {
        const double angle = i * 3 * 2 * M_PI / 8;
        world.points[std::size_t(i)].x = 100 * std::cos(angle);
        world.points[std::size_t(i)].y = 100 * std::sin(angle);
        world.points[std::size_t(i)].floorTexCoord = Vector2(world.points[std::size_t(i)].x, 0.0);
    }
    for (std::size_t w = 0; w < 8; ++w)
        world.walls[w].nextPoint = int((w + 1) % 8);
    surfaces.build(world);
    const Surface* floor = find(0, surfaceFloor);
    ASSERT_NE(floor, nullptr);
    EXPECT_GT(floor->triangleCount(), 0u);
    const SurfaceVertex* v = surfaces.mesh().verticesOf(*floor);
    for (std::uint32_t i = 0; i < floor->count; ++i)
        EXPECT_NEAR(v[i].u, v[i].x, 1e-3) << "u follows x across new vertices";
}

// Solid pieces with height are in the list; a mirror's middle is glass
// outside it; pieces without height are nowhere.
TEST_F(Surfaces, PiecesWithoutHeightAndMirrorsStayOutOfTheSolidSurfaces)
{
    World& world = *held;
    int opening = -1;
    for (std::size_t w = 0; w < world.walls.size(); ++w)
        if (world.walls[w].sector == 0 && world.walls[w].isOpening())
            opening = int(w);
    ASSERT_GE(opening, 0);
    WallPiece& middle = world.walls[std::size_t(opening)].middle;
    middle.flags = pieceMirror;
    middle.tile = 560;
    world.walls[std::size_t(opening)].upper.corners[0].z = world.walls[std::size_t(opening)].upper.corners[3].z;
    world.walls[std::size_t(opening)].upper.corners[1].z = world.walls[std::size_t(opening)].upper.corners[2].z;
    surfaces.build(world);
    const WorldSurfaces::Range solid = surfaces.solid(0);
    for (std::uint32_t i = solid.first; i < solid.first + solid.count; ++i) {
        const Surface& s = surfaces.mesh().surfaces[i];
        EXPECT_EQ(s.kind, DrawKind::solid);
        EXPECT_FALSE(s.index == opening && (s.part == surfaceMiddle || s.part == surfaceUpper));
    }
    const Surface* glass = surfaces.middle(opening);
    ASSERT_NE(glass, nullptr);
    EXPECT_EQ(glass->kind, DrawKind::mirror);
    EXPECT_EQ(glass->colour.alpha, 64);
    EXPECT_EQ(surfaces.sector(0).count, solid.count + 1);
}

TEST(SkyCylinder, EightTilesRoundSixteenSidesClosedByCapsThatFaceIn)
{
    int row[8];
    SkyCylinder::tilesFor(89, row);
    EXPECT_EQ(std::vector<int>(row, row + 8), (std::vector<int>{89, 91, 92, 90, 91, 90, 92, 93}));
    SkyCylinder::tilesFor(77, row);
    EXPECT_EQ(std::vector<int>(row, row + 8), std::vector<int>(8, 77));
    SurfaceMesh mesh;
    SkyCylinder().build(mesh, 89, 1000.0, 2000.0);
    ASSERT_EQ(mesh.surfaces.size(), 18u);
    const int night[8] = {89, 91, 92, 90, 91, 90, 92, 93};
    for (std::size_t k = 0; k < 16; ++k) {
        EXPECT_EQ(mesh.surfaces[k].tile, night[k / 2]) << k;
        const SurfaceVertex* v = mesh.verticesOf(mesh.surfaces[k]);
        for (std::uint32_t i = 0; i < mesh.surfaces[k].count; ++i)
            EXPECT_NEAR(std::hypot(v[i].x - 1000.0, v[i].y - 2000.0), SkyCylinder::radius, 1e-6);
    }
    for (std::size_t cap : {16u, 17u}) {
        const Surface& s = mesh.surfaces[cap];
        EXPECT_EQ(s.tile, -1);
        const SurfaceVertex* v = mesh.verticesOf(s);
        for (std::uint32_t t = 0; t < s.triangleCount(); ++t)
            EXPECT_EQ(zOfNormal(v + 3 * t) < 0, v[0].z > 0) << "the caps face the inside";
    }
}
