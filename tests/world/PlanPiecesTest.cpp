// The plan world: the reduced build and the convex pieces with their
// bookkeeping in points, pieceIndices and pieceStarts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "WorldFixtures.h"
#include "tools/authoring/MapBuilder.h"
#include "world/World.h"

using namespace Vell3D;
using namespace WorldFixtures;

namespace {

World::BuildOptions plan()
{
    World::BuildOptions options;
    options.planOnly = true;
    return options;
}

void buildPlan(World& world, const VellTools::MapContent& content)
{
    world.build(loadMap(content), plan());
    world.buildPieces();
}

std::vector<std::vector<int>> piecesOf(const World& world, int s)
{
    std::vector<std::vector<int>> pieces;
    const std::vector<int>& starts = world.sectors[std::size_t(s)].pieceStarts;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        std::vector<int> piece;
        for (std::size_t k = std::size_t(starts[i]); world.pieceIndices.at(k) != -1; ++k)
            piece.push_back(world.pieceIndices[k]);
        pieces.push_back(piece);
    }
    return pieces;
}

// Signed area of a piece in x and y (its corners keep the clipping's order).
double area(const World& world, const std::vector<int>& piece)
{
    double sum = 0;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const WallPoint& a = world.points[std::size_t(piece[i])];
        const WallPoint& b = world.points[std::size_t(piece[(i + 1) % piece.size()])];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum / 2;
}

bool convex(const World& world, const std::vector<int>& piece)
{
    int sign = 0;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        Vector3 a = world.points[std::size_t(piece[i])].floorPoint();
        Vector3 b = world.points[std::size_t(piece[(i + 1) % piece.size()])].floorPoint();
        Vector3 c = world.points[std::size_t(piece[(i + 2) % piece.size()])].floorPoint();
        int turn = side(a, b, c);
        if (turn == 0)
            continue;
        if (sign != 0 && turn != sign)
            return false;
        sign = turn;
    }
    return true;
}

double totalArea(const World& world, int s)
{
    double sum = 0;
    for (const auto& piece : piecesOf(world, s)) {
        EXPECT_TRUE(convex(world, piece));
        sum += std::fabs(area(world, piece));
    }
    return sum;
}

} // namespace

TEST(PlanWorld, reducedBuildHasNoMiddlesSpritesOrSurfaceLists)
{
    TwoRooms rooms = twoRooms(0, 256, 32, 200);
    rooms.builder.addSprite(0, 100, 100, 0, 3, 0);
    auto content = finish(rooms);
    content.walls[std::size_t(rooms.opening0)].flags = WallBits::masked | WallBits::translucent;
    content.sectors[0].visibility = 16;
    World world;
    buildPlan(world, content);
    EXPECT_TRUE(world.built);
    EXPECT_TRUE(world.sprites.empty());
    for (const WorldSector& sector : world.sectors) {
        EXPECT_TRUE(sector.surfacesByTile.empty());
        EXPECT_TRUE(sector.sprites.empty());
        EXPECT_EQ(sector.fogFactor, 0.0);
    }
    for (const WorldWall& wall : world.walls) {
        EXPECT_FALSE(wall.firstLoop);
        EXPECT_EQ(wall.middle.tile, -1);
        EXPECT_EQ(wall.middle.flags, 0);
    }
    const WorldWall& opening = world.walls[std::size_t(rooms.opening0)];
    EXPECT_TRUE(opening.upper.hasHeight());
    EXPECT_TRUE(opening.lower.hasHeight());
}

TEST(PlanPieces, convexSectorIsOneChainAndOnePiece)
{
    World world;
    buildPlan(world, squareRoom(0, 256));
    const WorldSector& sector = world.sectors[0];
    ASSERT_EQ(world.bspNodes.size(), 4u);
    EXPECT_EQ(sector.bspRoot, 0);
    for (int i = 0; i < 4; ++i) {
        const BspNode& node = world.bspNodes[std::size_t(i)];
        EXPECT_EQ(node.wall, sector.walls[std::size_t(i)]);
        EXPECT_EQ(node.parent, i - 1);
        EXPECT_EQ(node.front, i < 3 ? i + 1 : -1);
        EXPECT_EQ(node.back, -1);
    }
    auto pieces = piecesOf(world, 0);
    ASSERT_EQ(pieces.size(), 1u);
    ASSERT_EQ(pieces[0].size(), 4u);
    EXPECT_NEAR(std::fabs(area(world, pieces[0])), 1024.0 * 1024.0, 1e-6);
    for (int index : pieces[0]) {
        const WallPoint& corner = world.points[std::size_t(index)];
        bool onAWallPoint = false;
        for (std::size_t w = 0; w < 4; ++w)
            onAWallPoint |= std::fabs(corner.x - world.points[w].x) < 1e-9 &&
                            std::fabs(corner.y - world.points[w].y) < 1e-9;
        EXPECT_TRUE(onAWallPoint) << corner.x << " " << corner.y;
        EXPECT_EQ(corner.sector, 0);
        EXPECT_NEAR(corner.ceilingZ, 256, 1e-9);
    }
}

TEST(PlanPieces, bookkeepingAcrossSectors)
{
    TwoRooms rooms = twoRooms(0, 256, 32, 256);
    auto content = finish(rooms);
    // A third sector without walls.
    Sector empty = content.sectors[0];
    empty.wallCount = 0;
    content.sectors.push_back(empty);
    World world;
    buildPlan(world, content);
    ASSERT_EQ(world.pieceIndices.at(0), -1);
    const auto& first = world.sectors[0].pieceStarts;
    const auto& second = world.sectors[1].pieceStarts;
    const auto& third = world.sectors[2].pieceStarts;
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(first[0], 1);
    EXPECT_EQ(first[1], 6);   // four corners and the -1
    EXPECT_EQ(second[0], first[1]);
    EXPECT_EQ(world.sectors[2].bspRoot, -1);
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(std::size_t(third[0]), world.pieceIndices.size());
    // The walls' own points first, then one per piece corner.
    EXPECT_EQ(world.points.size(), world.walls.size() + 8);
    EXPECT_NEAR(world.points[std::size_t(world.pieceIndices[std::size_t(second[0])])].floorZ, 32, 1e-9);

    // Building again gives the same, not doubled, tables.
    std::size_t points = world.points.size();
    std::size_t nodes = world.bspNodes.size();
    world.buildPieces();
    EXPECT_EQ(world.points.size(), points);
    EXPECT_EQ(world.bspNodes.size(), nodes);
    EXPECT_EQ(world.sectors[1].pieceStarts, second);
}

TEST(PlanPieces, concaveRoomIsCutIntoConvexPiecesCoveringIt)
{
    VellTools::MapBuilder builder;
    // An L: 1024 square without its top-right quarter.
    builder.addSector({{0, 0}, {512, 0}, {512, 512}, {1024, 512}, {1024, 1024}, {0, 1024}}, 0, mapZ(256));
    builder.setStart(100, 100, 0, 0, 0);
    World world;
    buildPlan(world, builder.build());
    auto pieces = piecesOf(world, 0);
    EXPECT_GE(pieces.size(), 2u);
    EXPECT_NEAR(totalArea(world, 0), 3.0 * 512 * 512, 1e-6);
}

TEST(PlanPieces, pillarLeavesAHole)
{
    VellTools::MapBuilder builder;
    builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, mapZ(256));
    builder.addInnerLoop(0, {{400, 400}, {400, 600}, {600, 600}, {600, 400}});
    builder.setStart(100, 100, 0, 0, 0);
    World world;
    buildPlan(world, builder.build());
    EXPECT_NEAR(totalArea(world, 0), 1024.0 * 1024 - 200.0 * 200, 1e-6);
}

TEST(PlanPieces, manyCrossingWallsStayBounded)
{
    // A zigzag whose every wall line crosses many others: the cuts are
    // capped, so the tree and the pieces stay small and finite.
    std::vector<VellTools::MapPoint> loop;
    const int teeth = 300;
    for (int i = 0; i < teeth; ++i) {
        loop.push_back({i * 20, 0});
        loop.push_back({i * 20 + 10, 5000});
    }
    loop.push_back({teeth * 20, 0});
    loop.push_back({teeth * 20, 6000});
    loop.push_back({0, 6000});
    VellTools::MapBuilder builder;
    std::reverse(loop.begin(), loop.end());
    if (VellTools::loopArea2(loop) < 0)
        std::reverse(loop.begin(), loop.end());
    builder.addSector(loop, 0, mapZ(256));
    builder.setStart(10, 5500, 0, 0, 0);
    World world;
    buildPlan(world, builder.build());
    std::size_t walls = world.walls.size();
    EXPECT_LE(world.bspNodes.size(), 3 * walls + 64);
    EXPECT_GT(world.pieceIndices.size(), 1u);
    for (std::size_t i = world.walls.size(); i < world.points.size(); ++i)
        EXPECT_TRUE(std::isfinite(world.points[i].x) && std::isfinite(world.points[i].floorZ));
}

// Maps placed far out: an L around map x = 300000, a room on each side of
// x = 100000 and one far down the other axes. The pieces still cover each
// sector exactly, and the ray cast's inside test still finds the floors
// (the summary's start check uses the same test).
TEST(PlanPieces, sectorsFarBeyondTheUsualSquare)
{
    VellTools::MapBuilder builder;
    builder.addSector({{300000, 0}, {301024, 0}, {301024, 512}, {300512, 512}, {300512, 1024}, {300000, 1024}}, 0,
                      mapZ(256));
    builder.addSector({{99000, 5000}, {101000, 5000}, {101000, 6000}, {99000, 6000}}, 0, mapZ(256));
    builder.addSector({{-400000, -350000}, {-399000, -350000}, {-399000, -349000}, {-400000, -349000}}, 0,
                      mapZ(256));
    builder.addSector({{2000000000, 0}, {2000001000, 0}, {2000001000, 1000}, {2000000000, 1000}}, 0, mapZ(256));
    builder.setStart(300100, 900, 0, 0, 0);
    const VellTools::MapContent content = builder.build();
    World plan;
    buildPlan(plan, content);
    EXPECT_NEAR(totalArea(plan, 0), 1024.0 * 1024 - 512.0 * 512, 1e-6);
    EXPECT_NEAR(totalArea(plan, 1), 2000.0 * 1000, 1e-6);
    EXPECT_NEAR(totalArea(plan, 2), 1000.0 * 1000, 1e-6);
    EXPECT_NEAR(totalArea(plan, 3), 1000.0 * 1000, 1e-3);

    World world;
    world.build(loadMap(content));
    // Straight down at a point of each sector (world x = -map x), and into
    // the L's missing quarter, which belongs to no sector.
    struct Probe {
        double mapX, mapY;
        int sector;
        bool floor;
    };
    for (Probe probe : {Probe{300100, 900, 0, true}, Probe{300900, 100, 0, true}, Probe{300900, 900, 0, false},
                        Probe{100500, 5500, 1, true}, Probe{99500, 5500, 1, true}, Probe{-399500, -349500, 2, true},
                        Probe{2000000500, 500, 3, true}}) {
        RayHit hit;
        hit.origin = Vector3(-probe.mapX, probe.mapY, 100);
        hit.target = Vector3(-probe.mapX, probe.mapY, -100);
        hit.sector = probe.sector;
        world.castRay(hit);
        EXPECT_EQ(hit.kind, probe.floor ? surfaceFloor : surfaceNone) << probe.mapX << " " << probe.mapY;
    }
}
