// The line of sight as the info panel follows it: what castRay meets, the
// middle pieces walkview draws, and sprites as their quads are drawn, their
// transparent pixels let through.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "WorldFixtures.h"
#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/PaletteWriter.h"
#include "world/World.h"

using namespace Vell3D;
using namespace WorldFixtures;

namespace {

// Tile 0: 16 x 16, its left eight columns transparent; tile 1: 16 x 16,
// all drawn.
class HalfTiles : public TestSupport::TileArchive {
public:
    HalfTiles() : TileArchive(palette(), art()) {}

private:
    static VellTools::Bytes palette()
    {
        VellTools::PaletteWriter writer;
        writer.addPlainShadeTables(1);
        return writer.bytes();
    }
    static VellTools::Bytes art()
    {
        VellTools::Bytes half(256, 1);
        std::fill(half.begin(), half.begin() + 128, 255);   // columns 0 to 7
        VellTools::ArtWriter writer(0);
        writer.add({16, 16, 0, half});
        writer.add({16, 16, 0, VellTools::Bytes(256, 1)});
        return writer.bytes();
    }
};

// The two rooms of twoRooms (world x 0..-1024 and -1024..-2048), built and
// textured as walkview builds them; furnish() adds to the rooms, change()
// edits the map built from them.
using Furnish = std::function<void(TwoRooms&)>;
using Change = std::function<void(TwoRooms&, VellTools::MapContent&)>;
struct SightScene {
    explicit SightScene(TwoRooms rooms, const Furnish& furnish = {}, const Change& change = {})
    {
        if (furnish)
            furnish(rooms);
        VellTools::MapContent content = finish(rooms);
        if (change)
            change(rooms, content);
        world.build(loadMap(content));
        world.attachTextures(tiles.tiles);
    }
    // From (x, y, z) in sector 0 straight along world -x, 3000 units.
    RayHit look(double y, double z, std::vector<int> spriteSectors = {0, 1})
    {
        RayHit hit;
        hit.origin = Vector3(-512, y, z);
        hit.target = Vector3(-3512, y, z);
        hit.sector = 0;
        world.castSight(hit, spriteSectors, &tiles.tiles);
        return hit;
    }

    HalfTiles tiles;
    World world;
};

// A sprite of the given tile standing on the floor of room 1 at map
// (1800, 512): 16 * 64 * 0.2 = 204.8 wide as a face sprite, 256 high.
void standSprite(TwoRooms& rooms, std::int16_t tile, std::uint16_t flags)
{
    rooms.builder.addSprite(1, 1800, 512, 0, tile, flags);
}

} // namespace

// Between the pieces the ray passes into room 1, down to its floor.
TEST(SightCast, namesAFloorThroughAnOpening)
{
    SightScene scene(twoRooms(0, 256, 0, 256));
    RayHit hit;
    hit.origin = Vector3(-512, 512, 100);
    hit.target = Vector3(-1800, 512, -100);
    hit.sector = 0;
    scene.world.castSight(hit, {0, 1}, &scene.tiles.tiles);
    EXPECT_EQ(hit.kind, surfaceFloor);
    EXPECT_EQ(hit.sector, 1);
    EXPECT_NEAR(hit.point.x, -1156, 1e-9);
    EXPECT_NEAR(hit.point.z, 0, 1e-9);
}

// A masked opening and a mirror are drawn across the opening: the sight
// stops there, though the aim marker's ray cast passes on.
TEST(SightCast, stopsAtMaskedMiddlesAndMirrorsWhereTheRayCastPasses)
{
    for (bool mirror : {false, true}) {
        SightScene scene(twoRooms(0, 256, 0, 256), {}, [mirror](TwoRooms& rooms, VellTools::MapContent& map) {
            Wall& wall = map.walls[std::size_t(rooms.opening0)];
            if (mirror) {
                wall.flags |= WallBits::oneWay;
                wall.overTile = SpecialTiles::mirror;
            } else {
                wall.flags |= WallBits::masked;
            }
        });
        RayHit sight = scene.look(512, 100);
        EXPECT_EQ(sight.kind, surfaceMiddle) << mirror;
        EXPECT_EQ(sight.sector, 0);
        ASSERT_GE(sight.wall, 0);
        EXPECT_EQ(bool(scene.world.walls[std::size_t(sight.wall)].middle.flags & pieceMirror), mirror);
        RayHit aim = sight;
        scene.world.castRay(aim);
        EXPECT_EQ(aim.kind, surfaceUpper) << "the far wall of room 1";
        EXPECT_EQ(aim.sector, 1);
    }
}

// A face sprite in room 1 in front of its far wall: where its tile is
// drawn the sprite is named, where the tile is transparent the wall behind.
TEST(SightCast, namesASpriteInFrontOfAWallBesideItsTransparentPixels)
{
    SightScene scene(twoRooms(0, 512, 0, 512), [](TwoRooms& rooms) { standSprite(rooms, 0, 0); });
    ASSERT_EQ(scene.world.sprites.size(), 1u);
    const double quarter = scene.world.sprites[0].width / 4;
    // Corner 0, texture column 0, lies towards -y for a viewer looking
    // along -x.
    RayHit opaque = scene.look(512 + quarter, 100);
    EXPECT_EQ(opaque.kind, surfaceSprite);
    EXPECT_EQ(opaque.sprite, 0);
    EXPECT_EQ(opaque.sector, 1);
    EXPECT_EQ(opaque.wall, -1);
    // The quad is turned to the eye, not to the ray beside it.
    EXPECT_NEAR(opaque.point.x, -1800, 3);
    EXPECT_NEAR(opaque.normal.x, 1, 1e-3);
    RayHit clear = scene.look(512 - quarter, 100);
    EXPECT_EQ(clear.kind, surfaceUpper);
    EXPECT_EQ(clear.sprite, -1);
    EXPECT_NEAR(clear.point.x, -2048, 1e-9);
    // Above the sprite's top and past its side the wall is met.
    EXPECT_EQ(scene.look(512 + quarter, 300).kind, surfaceUpper);
    EXPECT_EQ(scene.look(512 + 3 * quarter, 100).kind, surfaceUpper);
}

// Sprites walkview does not draw are not met: invisible ones, one-sided
// ones seen from behind, and those of sectors not listed (not visible).
TEST(SightCast, passesSpritesThatAreNotDrawn)
{
    auto sceneWith = [](std::uint16_t flags) {
        return std::make_unique<SightScene>(twoRooms(0, 256, 0, 256),
                                            [flags](TwoRooms& rooms) { standSprite(rooms, 1, flags); });
    };
    EXPECT_EQ(sceneWith(SpriteBits::invisible)->look(512, 100).kind, surfaceUpper);

    // A wall sprite across the room, facing +x or -x by its angle.
    auto oneSided = sceneWith(SpriteBits::wallKind | SpriteBits::oneSided);
    WorldSprite& sprite = oneSided->world.sprites[0];
    const bool facesViewer = sprite.corners[1].minus(sprite.corners[0]).cross(
                                 sprite.corners[3].minus(sprite.corners[0])).x > 0;
    EXPECT_EQ(oneSided->look(512, 100).kind, facesViewer ? surfaceSprite : surfaceUpper);
    // Turned round, its other side faces the viewer.
    sprite.angle += 180;
    std::swap(sprite.corners[0], sprite.corners[1]);
    std::swap(sprite.corners[2], sprite.corners[3]);
    EXPECT_EQ(oneSided->look(512, 100).kind, facesViewer ? surfaceUpper : surfaceSprite);
    EXPECT_EQ(oneSided->look(512, 100, {0}).kind, surfaceUpper) << "room 1 not listed";
}

// A sky ceiling is not met: looking up into it meets nothing.
TEST(SightCast, meetsNothingLookingIntoASky)
{
    SightScene scene(twoRooms(0, 256, 0, 256), {}, [](TwoRooms&, VellTools::MapContent& map) {
        map.sectors[0].ceilingFlags |= SurfaceBits::sky;
    });
    RayHit hit;
    hit.origin = Vector3(-512, 512, 100);
    hit.target = Vector3(-520, 512, 100000);
    hit.sector = 0;
    scene.world.castSight(hit, {0, 1}, &scene.tiles.tiles);
    EXPECT_EQ(hit.kind, surfaceNone);
    EXPECT_EQ(hit.wall, -1);
    EXPECT_EQ(hit.sprite, -1);
}
