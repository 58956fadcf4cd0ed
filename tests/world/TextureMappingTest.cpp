#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "world/World.h"
#include "WorldFixtures.h"

using namespace Vell3D;
using namespace WorldFixtures;

namespace {

Vector3 uv(const Matrix4& m, const Vector3& p)
{
    return m.transformPoint(p);
}

} // namespace

TEST(WallTextureMatrix, repeatEightSpansSixtyFourTexelsWhateverTheLength)
{
    for (double length : {100.0, 1024.0, 3.0}) {
        Vector3 a(10, 20, 0), b(10 - length * 0.6, 20 + length * 0.8, 0);
        Matrix4 m = wallTextureMatrix(a, b, 0, 0, 64, 64);
        EXPECT_NEAR(uv(m, a).x, 0, 1e-9);
        EXPECT_NEAR(uv(m, b).x, 64, 1e-9);
        EXPECT_NEAR(uv(m, a.plus(b).times(0.5)).x, 32, 1e-9);
        Matrix4 flipped = wallTextureMatrix(a, b, 0, WallBits::flipX, 64, 64);
        EXPECT_NEAR(uv(flipped, a).x, 64, 1e-9);
        EXPECT_NEAR(uv(flipped, b).x, 0, 1e-9);
    }
}

TEST(WallTextureMatrix, heightGoesDownTheTileFromTheReference)
{
    Vector3 a(0, 0, 0), b(-100, 0, 0);
    Matrix4 m = wallTextureMatrix(a, b, 100, 0, 64, 64);
    EXPECT_NEAR(uv(m, Vector3(0, 0, 100)).y, 0, 1e-9);
    EXPECT_NEAR(uv(m, Vector3(0, 0, 0)).y, 100.0 * 8 / 128, 1e-9);
    Matrix4 flipped = wallTextureMatrix(a, b, 100, WallBits::flipY, 64, 64);
    EXPECT_NEAR(uv(flipped, Vector3(0, 0, 0)).y, -100.0 * 8 / 128, 1e-9);
    EXPECT_TRUE(wallTextureMatrix(a, a, 100, 0, 64, 64) == Matrix4());
}

TEST(WallTextureMatrix, solidWallAlignsToCeilingOrBottom)
{
    auto content = squareRoom(0, 256);
    World world;
    world.build(loadMap(content));
    const WallPiece& piece = world.walls[0].upper;
    EXPECT_NEAR(uv(piece.textureMatrix, piece.corners[1]).y, 0, 1e-9);
    EXPECT_NEAR(uv(piece.textureMatrix, piece.corners[2]).y, 256.0 * 8 / 128, 1e-9);

    content.walls[0].flags = WallBits::bottomAligned;
    world.build(loadMap(content));
    const WallPiece& bottom = world.walls[0].upper;
    EXPECT_NEAR(uv(bottom.textureMatrix, bottom.corners[2]).y, 0, 1e-9);
    EXPECT_NEAR(uv(bottom.textureMatrix, bottom.corners[1]).y, -256.0 * 8 / 128, 1e-9);
}

TEST(SurfaceTextureMatrix, flatFloorIsFixedToTheWorld)
{
    Vector3 a(0, 0, 0), b(-1024, 0, 0);
    Vector3 p(-160, 320, 0);
    Vector3 plain = uv(surfaceTextureMatrix(a, b, 0, 0), p);
    EXPECT_NEAR(plain.x, 10, 1e-9);     // -x / 16
    EXPECT_NEAR(plain.y, -20, 1e-9);    // -y / 16
    Vector3 big = uv(surfaceTextureMatrix(a, b, SurfaceBits::doubleSize, 0), p);
    EXPECT_NEAR(big.x, 20, 1e-9);
    EXPECT_NEAR(big.y, -40, 1e-9);
    Vector3 swapped = uv(surfaceTextureMatrix(a, b, SurfaceBits::swapped | SurfaceBits::flipX, 0), p);
    EXPECT_NEAR(swapped.x, 20, 1e-9);   // flipped -y / 16
    EXPECT_NEAR(swapped.y, 10, 1e-9);
}

TEST(SurfaceTextureMatrix, alignedToTheFirstWallStartsAtItsStart)
{
    Vector3 a(-300, 50, 10), b(-300, 50 + 160, 10);
    Matrix4 m = surfaceTextureMatrix(a, b, SurfaceBits::alignToWall, 0);
    Vector3 atA = uv(m, a);
    Vector3 atB = uv(m, b);
    EXPECT_NEAR(atA.x, 0, 1e-9);
    EXPECT_NEAR(atA.y, 0, 1e-9);
    EXPECT_NEAR(std::hypot(atB.x, atB.y), 10, 1e-9);   // 160 units at 16 per texel
    EXPECT_NEAR(atB.y, 0, 1e-9);
}

TEST(AttachTextures, wallCoordinatesUseTileSizeAndPanning)
{
    TileFixture fixture({{64, 32}, {16, 16}});
    auto content = squareRoom(0, 256);
    content.walls[0].panX = 16;
    content.walls[0].panY = 64;
    content.sectors[0].floorPanX = 128;
    World world;
    world.build(loadMap(content));
    world.attachTextures(fixture.tiles);
    EXPECT_TRUE(world.texturesReady);
    EXPECT_EQ(world.textureCache, &fixture.tiles);

    const WallPiece& piece = world.walls[0].upper;   // tile 0: 64 x 32
    EXPECT_NEAR(piece.texCoords[1].x, 16.0 / 64, 1e-9);           // start: u = 0
    EXPECT_NEAR(piece.texCoords[0].x, (64.0 + 16) / 64, 1e-9);    // end: u = 64
    EXPECT_NEAR(piece.texCoords[1].y, 64.0 / 256, 1e-9);
    EXPECT_NEAR(piece.texCoords[2].y, 16.0 / 32 + 64.0 / 256, 1e-9);

    for (const WallPoint& p : world.points) {
        double u = -p.x / 16;
        EXPECT_NEAR(p.floorTexCoord.x, u / 64 + 0.5, 1e-9);
        EXPECT_NEAR(p.ceilingTexCoord.x, u / 64, 1e-9);
    }
}

TEST(AttachTextures, emptyTileSetGivesFiniteCoordinates)
{
    TileFixture fixture({});
    ASSERT_EQ(fixture.tiles.tileCount(), 0);
    World world;
    world.build(loadMap(squareRoom(0, 256)));
    world.attachTextures(fixture.tiles);
    for (const WallPoint& p : world.points)
        EXPECT_TRUE(std::isfinite(p.floorTexCoord.x) && std::isfinite(p.floorTexCoord.y));
    for (const Vell3D::Vector2& t : world.walls[0].upper.texCoords)
        EXPECT_TRUE(std::isfinite(t.x) && std::isfinite(t.y));
}

class SpriteGeometry : public ::testing::Test {
protected:
    // Tile 0 is 32 x 16; every sprite uses repeats 4 and 8.
    void buildWith(std::uint16_t flags, std::int16_t angle = 0)
    {
        VellTools::MapBuilder builder;
        builder.addSector({{0, 0}, {1024, 0}, {1024, 1024}, {0, 1024}}, 0, mapZ(256));
        int s = builder.addSprite(0, 100, 200, mapZ(40), 0, flags);
        builder.sprite(s).repeatX = 4;
        builder.sprite(s).repeatY = 8;
        builder.sprite(s).angle = angle;
        builder.setStart(512, 512, 0, 0, 0);
        world.build(loadMap(builder.build()));
        world.attachTextures(fixture->tiles);
    }
    // Held by pointer: their destructors may throw, a test's may not.
    std::unique_ptr<TileFixture> fixture = std::make_unique<TileFixture>(std::vector<std::pair<int, int>>{{32, 16}});
    std::unique_ptr<World> worldHolder = std::make_unique<World>();
    World& world = *worldHolder;
};

TEST_F(SpriteGeometry, centredWallSpriteIsLoweredByHalfItsHeight)
{
    buildWith(SpriteBits::wallKind | SpriteBits::centred);
    const WorldSprite& s = world.sprites[0];
    EXPECT_DOUBLE_EQ(s.width, 32 * 4 * 0.25);
    EXPECT_DOUBLE_EQ(s.height, 16 * 8 * 0.25);
    EXPECT_DOUBLE_EQ(s.position.z, 40 - 16);
    EXPECT_NEAR(s.corners[2].z - s.corners[1].z, 32, 1e-9);
}

TEST_F(SpriteGeometry, centredFloorSpriteIsNotLowered)
{
    buildWith(SpriteBits::floorKind | SpriteBits::centred);
    EXPECT_DOUBLE_EQ(world.sprites[0].position.z, 40);
    for (const Vector3& c : world.sprites[0].corners)
        EXPECT_DOUBLE_EQ(c.z, 40);
}

TEST_F(SpriteGeometry, wallSpriteTurnsWithItsAngle)
{
    buildWith(SpriteBits::wallKind, 512);   // -(90 + 90) degrees
    const WorldSprite& s = world.sprites[0];
    EXPECT_NEAR(s.corners[0].x, -100 + 16, 1e-9);
    EXPECT_NEAR(s.corners[0].y, 200, 1e-9);
    EXPECT_NEAR(s.corners[1].x, -100 - 16, 1e-9);
}

TEST_F(SpriteGeometry, faceSpriteFacesTheViewerAndFlipsItsCoordinates)
{
    buildWith(SpriteBits::flipX | SpriteBits::flipY);
    WorldSprite& s = world.sprites[0];
    EXPECT_DOUBLE_EQ(s.width, 32 * 4 * 0.2);
    s.faceCamera(Vector3(-100, 0, 0));   // viewer straight down -y
    double half = s.width / 2;
    EXPECT_NEAR(s.corners[0].x, -100 - half, 1e-9);
    EXPECT_NEAR(s.corners[1].x, -100 + half, 1e-9);
    EXPECT_NEAR(s.corners[2].z - s.corners[1].z, s.height, 1e-9);
    EXPECT_DOUBLE_EQ(s.texCoords[0].x, 1.0);   // flipped in x
    EXPECT_DOUBLE_EQ(s.texCoords[0].y, 0.0);   // flipped in y
    EXPECT_DOUBLE_EQ(s.texCoords[2].x, 0.0);
    EXPECT_DOUBLE_EQ(s.texCoords[2].y, 1.0);

    s.faceCamera(s.position);   // standing on it: still a quad of full width
    EXPECT_NEAR(std::hypot(s.corners[1].x - s.corners[0].x, s.corners[1].y - s.corners[0].y), s.width, 1e-9);
}
