// The ray cast and its hit tests: openings passed or hit, floors and
// ceilings (sky ones never hit), and the even-odd test over all loops.
#include <gtest/gtest.h>

#include <cmath>

#include "WorldFixtures.h"
#include "tools/authoring/MapBuilder.h"
#include "world/World.h"

using namespace Vell3D;
using namespace WorldFixtures;

namespace {

RayHit ray(const Vector3& from, const Vector3& to, int sector)
{
    RayHit hit;
    hit.origin = from;
    hit.target = to;
    hit.sector = sector;
    return hit;
}

// The ray from `from` (in the sector) to `to`, cast.
RayHit cast(const World& world, const Vector3& from, const Vector3& to, int sector)
{
    RayHit hit = ray(from, to, sector);
    world.castRay(hit);
    return hit;
}

void expectVector(const Vector3& v, double x, double y, double z)
{
    EXPECT_NEAR(v.x, x, 1e-9);
    EXPECT_NEAR(v.y, y, 1e-9);
    EXPECT_NEAR(v.z, z, 1e-9);
}

// Where a cast ended: on what kind of surface, in which sector, at which
// point.
::testing::AssertionResult ended(const RayHit& hit, int kind, int sector, const Vector3& point)
{
    if (hit.kind != kind || hit.sector != sector || hit.point.minus(point).length() > 1e-9)
        return ::testing::AssertionFailure() << "kind " << hit.kind << ", sector " << hit.sector << ", point "
                                             << hit.point.x << " " << hit.point.y << " " << hit.point.z;
    return ::testing::AssertionSuccess();
}

// A 1024 square (world x -1024..0, y 0..1024) with a pillar at map
// 400..600 in x and y.
VellTools::MapContent roomWithPillar()
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, mapZ(256));
    builder.addInnerLoop(0, {{400, 400}, {400, 600}, {600, 600}, {600, 400}});
    builder.setStart(100, 100, 0, 0, 0);
    return builder.build();
}

} // namespace

TEST(RayCast, passesAnOpeningAndHitsTheWallBeyond)
{
    const BuiltRooms built(0, 256, 0, 256);
    const World& world = built.world;

    RayHit inside = cast(world, Vector3(-512, 512, 100), Vector3(-1536, 512, 100), 0);
    EXPECT_TRUE(ended(inside, surfaceNone, 1, Vector3(-1536, 512, 100)));

    RayHit far = cast(world, Vector3(-512, 512, 100), Vector3(-2500, 512, 100), 0);
    EXPECT_TRUE(ended(far, surfaceUpper, 1, Vector3(-2048, 512, 100)));
    ASSERT_GE(far.wall, 0);
    EXPECT_EQ(world.walls[std::size_t(far.wall)].sector, 1);
    EXPECT_FALSE(world.walls[std::size_t(far.wall)].isOpening());
    expectVector(far.normal, 1, 0, 0);   // facing back into the room
}

// The player may stand exactly on an opening's line; his aim ray starts there.
TEST(RayCast, fromAnOpeningsLineGoesOnIntoTheSectorItIsIn)
{
    const BuiltRooms built(0, 256, 0, 256);
    const World& world = built.world;

    EXPECT_TRUE(ended(cast(world, Vector3(-1024, 512, 100), Vector3(-2500, 512, 100), 1), surfaceUpper, 1,
                      Vector3(-2048, 512, 100)));
    EXPECT_TRUE(ended(cast(world, Vector3(-1024, 512, 100), Vector3(500, 512, 100), 1), surfaceUpper, 0,
                      Vector3(0, 512, 100)));
}

TEST(RayCast, lowerPieceOfAStepIsHitWithItsNormal)
{
    const BuiltRooms built(0, 256, 64, 256);
    const World& world = built.world;
    const TwoRooms& rooms = built.rooms;
    RayHit hit = cast(world, Vector3(-512, 512, 30), Vector3(-1536, 512, 30), 0);
    EXPECT_TRUE(ended(hit, surfaceLower, 0, Vector3(-1024, 512, 30)));
    EXPECT_EQ(hit.wall, rooms.opening0);
    Vector3 n = world.walls[std::size_t(rooms.opening0)].lower.normal();
    expectVector(hit.normal, n.x, n.y, n.z);
    expectVector(n, 1, 0, 0);

    // Above the step the ray goes on into the higher room.
    EXPECT_TRUE(ended(cast(world, Vector3(-512, 512, 100), Vector3(-1536, 512, 100), 0), surfaceNone, 1,
                      Vector3(-1536, 512, 100)));
}

TEST(RayCast, floorAndCeilingButNeverASkyCeiling)
{
    auto content = squareRoom(0, 256);
    World world;
    world.build(loadMap(content));
    RayHit up = cast(world, Vector3(-512, 512, 100), Vector3(-512, 512, 1000), 0);
    EXPECT_TRUE(ended(up, surfaceCeiling, 0, Vector3(-512, 512, 256)));
    expectVector(up.normal, 0, 0, -1);
    RayHit down = cast(world, Vector3(-512, 512, 100), Vector3(-612, 512, -100), 0);
    EXPECT_TRUE(ended(down, surfaceFloor, 0, Vector3(-562, 512, 0)));
    expectVector(down.normal, 0, 0, 1);

    content.sectors[0].ceilingFlags = SurfaceBits::sky;
    world.build(loadMap(content));
    EXPECT_TRUE(ended(cast(world, Vector3(-512, 512, 100), Vector3(-512, 512, 1000), 0), surfaceNone, 0,
                      Vector3(-512, 512, 1000)));
}

TEST(RayCast, noSectorMeansNoHit)
{
    World world;
    world.build(loadMap(squareRoom(0, 256)));
    for (int sector : {-1, 1, 40000}) {
        RayHit hit = cast(world, Vector3(-512, 512, 100), Vector3(-512, 512, -100), sector);
        EXPECT_EQ(hit.kind, surfaceNone);
        expectVector(hit.point, -512, 512, -100);
    }
}

TEST(RayCast, brokenLinksStillEnd)
{
    TwoRooms rooms = twoRooms(0, 256, 0, 256);
    World world;
    world.build(loadMap(finish(rooms)));
    for (WorldWall& wall : world.walls)
        wall.nextWall = -1;
    world.sectors[1].walls.push_back(12345);
    RayHit hit = cast(world, Vector3(-512, 512, 100), Vector3(-1536, 512, 100), 0);
    EXPECT_GE(hit.sector, 0);
    EXPECT_LE(hit.sector, 1);
}

TEST(SectorPlaneHit, evenOddWithAPillarAndThroughVertices)
{
    World world;
    world.build(loadMap(roomWithPillar()));
    const WorldSector& sector = world.sectors[0];
    auto downAt = [&](double x, double y) {
        double t = -1;
        bool hit = world.sectorPlaneHit(ray(Vector3(x, y, 10), Vector3(x, y, -10), 0), 0, sector.floorPlane, t);
        if (hit) {
            EXPECT_NEAR(t, 0.5, 1e-12);
        }
        return hit;
    };
    EXPECT_TRUE(downAt(-200, 200));
    EXPECT_FALSE(downAt(-500, 500));    // inside the pillar
    EXPECT_TRUE(downAt(-800, 500));     // beside it, on its far side
    EXPECT_TRUE(downAt(-300, 400));     // level with the pillar's corners
    EXPECT_TRUE(downAt(-300, 600));
    EXPECT_TRUE(downAt(-700, 600));
    EXPECT_FALSE(downAt(-1100, 500));   // outside the room
    EXPECT_FALSE(downAt(100, 400));
    // The same rule finds the sector of a point (mapshot's --at).
    EXPECT_EQ(world.sectorAt(-300, 400), 0);
    EXPECT_EQ(world.sectorAt(-500, 500), -1);
    EXPECT_EQ(world.sectorAt(-1100, 500), -1);
    EXPECT_FALSE(world.holds(7, -200, 200));

    double t = -1;
    EXPECT_FALSE(world.sectorPlaneHit(ray(Vector3(-200, 200, 10), Vector3(-200, 200, 5), 0), 0,
                                      sector.floorPlane, t));   // plane beyond the target
    EXPECT_FALSE(world.sectorPlaneHit(ray(Vector3(-200, 200, 10), Vector3(-200, 200, -10), 0), 7,
                                      sector.floorPlane, t));
}

TEST(WallPieceHit, betweenTheEdgesOnlyAndZeroPiecesNever)
{
    WallPiece piece;
    piece.corners[0] = Vector3(0, 100, 50);
    piece.corners[1] = Vector3(0, 0, 50);
    piece.corners[2] = Vector3(0, 0, 0);
    piece.corners[3] = Vector3(0, 100, 10);
    EXPECT_TRUE(piece.rayHit(ray(Vector3(-10, 50, 20), Vector3(10, 50, 20), -1)));
    EXPECT_TRUE(piece.rayHit(ray(Vector3(-10, 50, 50), Vector3(10, 50, 50), -1)));
    EXPECT_FALSE(piece.rayHit(ray(Vector3(-10, 90, 5), Vector3(10, 90, 5), -1)));   // below the slanted bottom
    EXPECT_FALSE(piece.rayHit(ray(Vector3(-10, 50, 60), Vector3(10, 50, 60), -1)));
    EXPECT_FALSE(piece.rayHit(ray(Vector3(-10, 150, 20), Vector3(10, 150, 20), -1)));
    EXPECT_FALSE(piece.rayHit(ray(Vector3(-10, 50, 20), Vector3(-5, 50, 20), -1)));   // stops short
    expectVector(piece.normal(), 1, 0, 0);

    WallPiece zero;
    EXPECT_FALSE(zero.rayHit(ray(Vector3(-10, 0, 0), Vector3(10, 0, 0), -1)));
    expectVector(zero.normal(), 0, 0, 0);
}
