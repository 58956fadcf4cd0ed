#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "WorldFixtures.h"
#include "core/Exception.h"
#include "tools/demo/DemoMaps.h"
#include "world/PlayerNode.h"
#include "world/World.h"

using namespace Vell3D;
using namespace WorldFixtures;

namespace {

void expectPoint(const Vector3& p, double x, double y, double z)
{
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
    EXPECT_NEAR(p.z, z, 1e-9);
}

void expectZeroCorners(const WallPiece& piece)
{
    for (const Vector3& c : piece.corners)
        expectPoint(c, 0, 0, 0);
}

bool hasUse(const WorldSector& sector, int kind, int wall)
{
    for (const SurfaceEntry& entry : sector.surfacesByTile)
        for (const SurfaceUse& use : entry.uses)
            if (use.kind == kind && use.wall == wall)
                return true;
    return false;
}

} // namespace

TEST(WorldPlanes, flatSectorHasLevelPlanesAndHeights)
{
    World world;
    world.build(loadMap(squareRoom(32, 256)));
    const WorldSector& s = world.sectors.at(0);
    EXPECT_NEAR(s.floorPlane.a, 0, 1e-12);
    EXPECT_NEAR(s.floorPlane.b, 0, 1e-12);
    EXPECT_DOUBLE_EQ(s.floorPlane.c, 1);
    EXPECT_DOUBLE_EQ(s.floorPlane.d, -32);
    EXPECT_DOUBLE_EQ(s.ceilingPlane.c, -1);
    EXPECT_DOUBLE_EQ(s.ceilingPlane.d, 256);
    ASSERT_EQ(world.points.size(), 4u);
    for (const WallPoint& p : world.points) {
        EXPECT_NEAR(p.floorZ, 32, 1e-9);
        EXPECT_NEAR(p.ceilingZ, 256, 1e-9);
        EXPECT_EQ(p.sector, 0);
    }
    EXPECT_TRUE(world.built);
    EXPECT_FALSE(world.texturesReady);
}

TEST(WorldPlanes, fullSlopeTiltsFortyFiveDegreesAboutTheFirstWall)
{
    auto content = squareRoom(0, 256);
    content.sectors[0].floorFlags = SurfaceBits::sloped;
    content.sectors[0].floorSlope = 4096;
    World world;
    world.build(loadMap(content));
    // Walls 0 and 1 start on the first wall's line; 2 and 3 lie 1024 away.
    EXPECT_NEAR(world.points[0].floorZ, 0, 1e-9);
    EXPECT_NEAR(world.points[1].floorZ, 0, 1e-9);
    EXPECT_NEAR(std::fabs(world.points[2].floorZ), 1024, 1e-6);
    EXPECT_NEAR(world.points[2].floorZ, world.points[3].floorZ, 1e-6);
    for (const WallPoint& p : world.points)
        EXPECT_NEAR(p.ceilingZ, 256, 1e-9);
}

TEST(WorldPlanes, slopeWithoutItsFlagAndDegenerateFirstWallStayFlat)
{
    auto content = squareRoom(0, 256);
    content.sectors[0].floorSlope = 4096;
    World world;
    world.build(loadMap(content));
    EXPECT_NEAR(world.points[2].floorZ, 0, 1e-9);

    // A first wall without length gives no axis to tilt about.
    content.sectors[0].floorFlags = SurfaceBits::sloped;
    content.walls[1].x = content.walls[0].x;
    content.walls[1].y = content.walls[0].y;
    world.build(loadMap(content));
    EXPECT_DOUBLE_EQ(world.sectors[0].floorPlane.c, 1);
    for (const WallPoint& p : world.points)
        EXPECT_NEAR(p.floorZ, 0, 1e-9);
}

TEST(WorldPieces, solidWallSpansFloorToCeiling)
{
    World world;
    world.build(loadMap(squareRoom(0, 256)));
    const WorldWall& wall = world.walls[0];   // map (0,0) -> (1024,0)
    EXPECT_EQ(wall.nextSector, -1);
    EXPECT_EQ(wall.upper.flags, pieceSolid);
    expectPoint(wall.upper.corners[0], -1024, 0, 256);
    expectPoint(wall.upper.corners[1], 0, 0, 256);
    expectPoint(wall.upper.corners[2], 0, 0, 0);
    expectPoint(wall.upper.corners[3], -1024, 0, 0);
    EXPECT_TRUE(wall.firstLoop);
}

TEST(WorldPieces, upperBetweenTwoSkiesIsHidden)
{
    auto rooms = twoRooms(0, 256, 0, 200);
    auto content = finish(rooms);
    content.sectors[0].ceilingFlags = SurfaceBits::sky;
    content.sectors[1].ceilingFlags = SurfaceBits::sky;
    World world;
    world.build(loadMap(content));
    const WorldWall& wall = world.walls[std::size_t(rooms.opening0)];
    EXPECT_EQ(wall.nextSector, 1);
    EXPECT_TRUE(wall.upper.flags & pieceHidden);
    EXPECT_FALSE(wall.upper.flags & pieceSolid);
    expectZeroCorners(wall.upper);
    EXPECT_FALSE(hasUse(world.sectors[0], surfaceUpper, rooms.opening0));
    EXPECT_TRUE(hasUse(world.sectors[0], surfaceLower, rooms.opening0));
}

TEST(WorldPieces, levelFloorsGiveALowerPieceWithoutCorners)
{
    const BuiltRooms built(0, 256, 0, 200);
    const WorldWall& wall = built.world.walls[std::size_t(built.rooms.opening0)];
    expectZeroCorners(wall.lower);
    EXPECT_FALSE(wall.lower.hasHeight());
    // The upper piece hangs from the own ceiling down to the neighbour's.
    EXPECT_NEAR(wall.upper.corners[0].z, 256, 1e-9);
    EXPECT_NEAR(wall.upper.corners[2].z, 200, 1e-9);
    EXPECT_TRUE(wall.upper.hasHeight());
    // Seen from the lower ceiling the upper piece is inverted: nothing left.
    expectZeroCorners(built.world.walls[std::size_t(built.rooms.opening1)].upper);
}

TEST(WorldPieces, middleTakesTheNeighbourHeightsWherePiecesShow)
{
    const BuiltRooms built(0, 256, 32, 200);
    const WorldWall& wall = built.world.walls[std::size_t(built.rooms.opening0)];
    EXPECT_NEAR(wall.lower.corners[1].z, 32, 1e-9);
    EXPECT_NEAR(wall.lower.corners[2].z, 0, 1e-9);
    for (int i : {0, 1})
        EXPECT_NEAR(wall.middle.corners[i].z, 200, 1e-9);
    for (int i : {2, 3})
        EXPECT_NEAR(wall.middle.corners[i].z, 32, 1e-9);
}

TEST(WorldPieces, crossingEdgesAreClippedAtTheCrossing)
{
    auto rooms = twoRooms(0, 256, -512, 1024);
    auto content = finish(rooms);
    // Sector 1 rises along the shared wall from -512 at map y 0 to 512 at y 1024.
    content.sectors[1].floorFlags = SurfaceBits::sloped;
    content.sectors[1].floorSlope = -4096;
    World world;
    world.build(loadMap(content));
    const WorldWall& wall = world.walls[std::size_t(rooms.opening0)];
    ASSERT_EQ(content.walls[std::size_t(rooms.opening0)].y, 0);
    expectPoint(wall.lower.corners[0], -1024, 1024, 512);
    expectPoint(wall.lower.corners[1], -1024, 512, 0);
    expectPoint(wall.lower.corners[2], -1024, 512, 0);
    expectPoint(wall.lower.corners[3], -1024, 1024, 0);
}

TEST(WorldPieces, oneWayMirrorAndMaskedFlags)
{
    auto rooms = twoRooms(0, 256, 0, 256);
    auto content = finish(rooms);
    Wall& wall = content.walls[std::size_t(rooms.opening0)];
    World world;

    wall.flags = WallBits::oneWay;
    wall.overTile = SpecialTiles::mirror;
    world.build(loadMap(content));
    EXPECT_EQ(world.walls[std::size_t(rooms.opening0)].middle.flags, pieceMirror);

    wall.overTile = 12;
    world.build(loadMap(content));
    EXPECT_EQ(world.walls[std::size_t(rooms.opening0)].middle.flags, pieceOneWay | pieceSolid);
    EXPECT_EQ(world.walls[std::size_t(rooms.opening0)].middle.tile, 12);

    wall.flags = WallBits::oneWay | WallBits::masked;   // one-way wins over masked
    world.build(loadMap(content));
    EXPECT_EQ(world.walls[std::size_t(rooms.opening0)].middle.flags, pieceOneWay | pieceSolid);

    wall.flags = WallBits::masked;
    world.build(loadMap(content));
    EXPECT_EQ(world.walls[std::size_t(rooms.opening0)].middle.flags, pieceMasked);
    EXPECT_DOUBLE_EQ(world.walls[std::size_t(rooms.opening0)].middle.alpha, 1.0);
    EXPECT_EQ(world.sectors[0].maskedWalls, std::vector<int>{rooms.opening0});
}

TEST(WorldPieces, maskedTranslucentAlpha)
{
    auto rooms = twoRooms(0, 256, 0, 256);
    auto content = finish(rooms);
    World world;
    content.walls[std::size_t(rooms.opening0)].flags = WallBits::masked | WallBits::translucent;
    world.build(loadMap(content));
    EXPECT_DOUBLE_EQ(world.walls[std::size_t(rooms.opening0)].middle.alpha, 0.6);
    content.walls[std::size_t(rooms.opening0)].flags = WallBits::masked | WallBits::translucent | WallBits::moreTranslucent;
    world.build(loadMap(content));
    EXPECT_DOUBLE_EQ(world.walls[std::size_t(rooms.opening0)].middle.alpha, 0.3);
}

TEST(WorldPieces, swappedBottomTakesTheWallBehind)
{
    auto rooms = twoRooms(0, 256, 32, 256);
    auto content = finish(rooms);
    content.walls[std::size_t(rooms.opening0)].flags = WallBits::swapBottoms;
    content.walls[std::size_t(rooms.opening1)].tile = 77;
    content.walls[std::size_t(rooms.opening1)].panY = 9;
    content.walls[std::size_t(rooms.opening1)].flags = WallBits::flipY;
    World world;
    world.build(loadMap(content));
    const WorldWall& wall = world.walls[std::size_t(rooms.opening0)];
    EXPECT_EQ(wall.lower.tile, 77);
    EXPECT_DOUBLE_EQ(wall.lower.panY, -9);   // flipped by the wall behind
    EXPECT_DOUBLE_EQ(wall.upper.panY, 0);
}

TEST(WorldSurfaces, surfacesAreGroupedByTileInOrderOfFirstUse)
{
    auto content = squareRoom(0, 256);
    content.sectors[0].floorTile = 3;
    content.sectors[0].ceilingTile = 3;
    for (Wall& w : content.walls)
        w.tile = 7;
    World world;
    world.build(loadMap(content));
    const auto& entries = world.sectors[0].surfacesByTile;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].tile, 3);
    ASSERT_EQ(entries[0].uses.size(), 2u);
    EXPECT_EQ(entries[0].uses[0].kind, surfaceFloor);
    EXPECT_EQ(entries[0].uses[1].kind, surfaceCeiling);
    EXPECT_EQ(entries[1].tile, 7);
    ASSERT_EQ(entries[1].uses.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[1].uses[std::size_t(i)].kind, surfaceUpper);
        EXPECT_EQ(entries[1].uses[std::size_t(i)].wall, i);
    }
}

TEST(WorldSectors, fogFactorFromVisibility)
{
    auto content = squareRoom();
    World world;
    content.sectors[0].visibility = 0;
    world.build(loadMap(content));
    EXPECT_DOUBLE_EQ(world.sectors[0].fogFactor, 239.0 / 255.0);
    content.sectors[0].visibility = 240;
    world.build(loadMap(content));
    EXPECT_DOUBLE_EQ(world.sectors[0].fogFactor, 1.0);
}

TEST(WorldSprites, recordsFollowTheStatusWord)
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, mapZ(256));
    builder.sector(0).floorShade = 12;
    int face = builder.addSprite(0, 100, 200, mapZ(16), 5, SpriteBits::translucent | SpriteBits::moreTranslucent);
    builder.sprite(face).shade = -20;
    builder.sprite(face).angle = 512;
    int wall = builder.addSprite(0, 100, 200, 0, 6, SpriteBits::wallKind | SpriteBits::centred | SpriteBits::flipX);
    builder.sprite(wall).offsetX = 10;
    builder.sprite(wall).offsetY = 3;
    builder.addSprite(0, 0, 0, 0, 7, SpriteBits::kindMask | SpriteBits::flipY | SpriteBits::oneSided | SpriteBits::invisible);
    builder.setStart(512, 512, 0, 0, 0);
    World world;
    world.build(loadMap(builder.build()));
    ASSERT_EQ(world.sprites.size(), 3u);

    const WorldSprite& s0 = world.sprites[0];
    expectPoint(s0.position, -100, 200, 16);
    EXPECT_EQ(s0.shade, 12);
    EXPECT_DOUBLE_EQ(s0.alpha, 0.3);
    EXPECT_EQ(s0.kind, spriteKindFace);
    EXPECT_DOUBLE_EQ(s0.angle, -180.0);
    EXPECT_DOUBLE_EQ(s0.width, 64);   // still the repeat bytes

    const WorldSprite& s1 = world.sprites[1];
    expectPoint(s1.position, -(100 - 10), 203, 0);   // x offset negated by the flip
    EXPECT_EQ(s1.kind, spriteKindWall);
    EXPECT_EQ(s1.flags, spriteCentred | spriteFlipX);
    EXPECT_DOUBLE_EQ(s1.alpha, 1.0);

    const WorldSprite& s2 = world.sprites[2];
    EXPECT_EQ(s2.kind, spriteKindNone);
    EXPECT_EQ(s2.flags, spriteFlipY | spriteOneSided | spriteInvisible);
    EXPECT_EQ(world.sectors[0].sprites, (std::vector<int>{0, 1, 2}));
}

// Indices read from the map are checked before use.
class WorldBadMaps : public ::testing::Test {
protected:
    void expectRefused(const VellTools::MapContent& content, const std::string& why)
    {
        World world;
        world.build(loadMap(squareRoom()));
        try {
            world.build(loadMap(content));
            FAIL() << "bad map accepted";
        } catch (Vell::Exception& e) {
            EXPECT_EQ(e.message(), "bad map format: " + why);
        }
        EXPECT_FALSE(world.built);
        EXPECT_TRUE(world.sectors.empty());
        EXPECT_TRUE(world.walls.empty());
        EXPECT_TRUE(world.points.empty());
        EXPECT_EQ(world.camera.sector, -1);
    }
};

TEST_F(WorldBadMaps, wallRangeOutsideTheTableIsRefused)
{
    auto content = squareRoom();
    content.sectors[0].wallCount = 5;
    expectRefused(content, "sector 0: 5 walls from wall 0, outside the 4 walls of the map");
    content = squareRoom();
    content.sectors[0].firstWall = -1;
    expectRefused(content, "sector 0: 4 walls from wall -1, outside the 4 walls of the map");
    content = squareRoom();
    content.sectors[0].wallCount = -2;
    expectRefused(content, "sector 0: -2 walls from wall 0, outside the 4 walls of the map");
}

TEST_F(WorldBadMaps, nextPointOutsideTheTableIsRefused)
{
    auto content = squareRoom();
    content.walls[2].nextPoint = 4;
    expectRefused(content, "wall 2 of sector 0: next wall 4, outside the 4 walls of the map");
    content.walls[2].nextPoint = -1;
    expectRefused(content, "wall 2 of sector 0: next wall -1, outside the 4 walls of the map");
}

TEST(WorldBadReferences, brokenNeighboursAreSolidWalls)
{
    auto rooms = twoRooms(0, 256, 0, 256);
    auto content = finish(rooms);
    auto check = [&](const VellTools::MapContent& c) {
        World world;
        world.build(loadMap(c));
        const WorldWall& wall = world.walls[std::size_t(rooms.opening0)];
        EXPECT_EQ(wall.nextSector, -1);
        EXPECT_EQ(wall.nextWall, -1);
        EXPECT_EQ(wall.middle.tile, -1);
        EXPECT_EQ(wall.upper.flags, pieceSolid);
        EXPECT_NEAR(wall.upper.corners[0].z, 256, 1e-9);
        EXPECT_NEAR(wall.upper.corners[3].z, 0, 1e-9);
    };
    auto bad = content;
    bad.walls[std::size_t(rooms.opening0)].otherSector = 9;
    check(bad);
    bad = content;
    bad.walls[std::size_t(rooms.opening0)].otherWall = 999;
    check(bad);
    bad = content;
    bad.walls[std::size_t(rooms.opening1)].otherWall = -1;   // does not point back
    check(bad);
    bad = content;
    bad.walls[std::size_t(rooms.opening0)].otherWall = 0;    // a wall of the wrong sector
    check(bad);
}

TEST(WorldBadReferences, spriteOutsideTheSectorTableBelongsToNoSector)
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, mapZ(256));
    builder.addSprite(0, 10, 10, 0, 1, 0);
    builder.setStart(512, 512, 0, 0, 0);
    auto content = builder.build();
    content.sprites[0].sector = 3;
    World world;
    world.build(loadMap(content));
    ASSERT_EQ(world.sprites.size(), 1u);
    EXPECT_EQ(world.sprites[0].sector, -1);
    EXPECT_TRUE(world.sectors[0].sprites.empty());
}

TEST(WorldStart, startSectorOutsideTheTableGivesNoSector)
{
    auto content = squareRoom(40, 256);
    content.startSector = 7;
    content.startZ = mapZ(-3);
    World world;
    world.build(loadMap(content));
    EXPECT_EQ(world.camera.sector, -1);
    expectPoint(world.camera.position(), -512, 512, -3);
}

TEST(WorldStart, startStandsOnTheStartSectorFloor)
{
    World world;
    world.build(loadMap(squareRoom(40, 256)));
    EXPECT_EQ(world.camera.sector, 0);
    expectPoint(world.camera.position(), -512, 512, 40);
}

TEST(WorldStart, headingFollowsTheStartAngle)
{
    auto forward = [](int angle) {
        auto content = squareRoom();
        content.startAngle = std::int16_t(angle);
        World world;
        world.build(loadMap(content));
        return world.camera.toParent(Vector3(0, 1, 0)).minus(world.camera.position());
    };
    expectPoint(forward(0), -1, 0, 0);      // map +x is world -x
    expectPoint(forward(512), 0, 1, 0);
    expectPoint(forward(1024), 1, 0, 0);
    expectPoint(forward(1536), 0, -1, 0);
    Vector3 a = forward(100);
    Vector3 b = forward(612);
    EXPECT_NEAR(a.dot(b), 0, 1e-9);         // 512 units apart: a quarter turn
    // Map angles grow clockwise seen from above once x is mirrored.
    EXPECT_NEAR(a.x * b.y - a.y * b.x, -1, 1e-9);
}

TEST(WorldStart, takePlacementCopiesSectorAndTransformOnly)
{
    World world;
    world.build(loadMap(squareRoom(40, 256)));
    PlayerNode player;
    player.takePlacement(world.camera);
    EXPECT_EQ(player.sector, 0);
    EXPECT_EQ(player.world, nullptr);
    EXPECT_TRUE(player.matrix() == world.camera.matrix());
    EXPECT_TRUE(player.inverse() == world.camera.inverse());
}

// The start is plain data, so that the model needs no scene node; it must
// still be the transform, and the inverse, that a node reaches by turning
// and then moving.
TEST(WorldStart, placementIsWhatANodeGetsByTurningThenMoving)
{
    StartPlacement start;
    start.place(-123.5, Vector3(-1536, 640, -77), 4);
    Node node;
    node.rotate(-123.5, 0.0, 0.0, 1.0);
    node.translateGlobal(-1536, 640, -77);
    EXPECT_LT(start.matrix().maxDifference(node.matrix()), 1e-9);
    EXPECT_LT(start.inverse().maxDifference(node.inverse()), 1e-9);
    EXPECT_EQ(start.sector, 4);
    start.reset();
    EXPECT_TRUE(start.matrix() == Matrix4());
    EXPECT_TRUE(start.inverse() == Matrix4());
    EXPECT_EQ(start.sector, -1);
}

TEST(WorldPlan, planBuildLeavesOutMiddleSpritesAndFog)
{
    auto rooms = twoRooms(0, 256, 0, 256);
    auto content = finish(rooms);
    content.walls[std::size_t(rooms.opening0)].flags = WallBits::oneWay;
    content.walls[std::size_t(rooms.opening0)].overTile = SpecialTiles::mirror;
    World world;
    world.build(loadMap(content), World::BuildOptions{true});
    const WorldWall& wall = world.walls[std::size_t(rooms.opening0)];
    EXPECT_EQ(wall.nextSector, 1);
    EXPECT_EQ(wall.middle.flags, 0);
    EXPECT_EQ(wall.middle.tile, -1);
    EXPECT_TRUE(world.sectors[0].surfacesByTile.empty());
    EXPECT_FALSE(wall.firstLoop);
    EXPECT_DOUBLE_EQ(world.sectors[0].fogFactor, 0.0);
    EXPECT_TRUE(world.built);
}

// huge.map written as version 8 and as version 9 loads with its exact
// counts, and both worlds build over all of it: the 3D one with every
// sector, wall, point and sprite past the first 1024 and 8192 in place, and
// the plan view's with one piece for each of its square rooms. The ramp's
// sloped rows meet without a step.
TEST(WorldBuild, hugeMapLoadsAndBuildsAsVersion8And9)
{
    for (std::int32_t version : {8, 9}) {
        VellTools::MapContent content = VellTools::hugeMap();
        content.version = version;
        const Map map = loadMap(content);
        ASSERT_EQ(map.version(), version);
        ASSERT_EQ(map.sectorCount(), 4096);
        ASSERT_EQ(map.wallCount(), 16384);
        ASSERT_EQ(map.spriteCount(), 16384);

        World world;
        world.build(map);
        ASSERT_TRUE(world.built);
        EXPECT_EQ(world.walls.size(), 16384u);
        EXPECT_EQ(world.points.size(), 16384u);
        EXPECT_EQ(world.sprites.size(), 16384u);
        const WorldSector& last = world.sectors.at(4095);
        EXPECT_EQ(last.walls, (std::vector<int>{16380, 16381, 16382, 16383}));
        EXPECT_EQ(last.sprites, (std::vector<int>{16380, 16381, 16382, 16383}));
        EXPECT_EQ(world.walls[16380].nextSector, 4095 - 64);   // open to the room north, in the same hall
        // The ramp: rows 1 to 7 of the hall below the start's, first column,
        // 48 below the start's floor at the top and 64 higher each row.
        for (int row = 1; row < 8; ++row) {
            const int s = (8 + row) * 64;
            const WorldWall& north = world.walls[std::size_t(world.sectors[std::size_t(s)].walls[0])];
            ASSERT_EQ(north.nextSector, s - 64);
            const WallPoint& corner = world.points[std::size_t(north.index)];
            EXPECT_NEAR(corner.floorZ, -48.0 + 64.0 * row, 1e-6) << row;
            EXPECT_NEAR(world.sectors[std::size_t(s - 64)].floorZAt(corner.x, corner.y), corner.floorZ, 1e-6);
            EXPECT_FALSE(north.lower.hasHeight()) << row;
            EXPECT_FALSE(north.upper.hasHeight()) << row;
        }

        World plan;
        plan.build(map, World::BuildOptions{true});
        plan.buildPieces();
        int onePiece = 0;
        for (const WorldSector& sector : plan.sectors)
            onePiece += sector.pieceStarts.size() == 2;
        EXPECT_EQ(onePiece, 4096);
    }
}
