// Whole frames of the sector renderer, read back: walls, floor and
// ceiling where they belong, the sky where no ceiling is, translucent walls
// blended over what lies behind, and frames over awkward data.
#include <GL/gl.h>

#include "3d/Texture.h"
#include "RenderScene.h"

using namespace RenderTests;

namespace {

constexpr int ceiling = 1024;

// A 4096 square room; the player in its middle looks at the wall at map
// x = 4096, 2048 units away, high enough to show floor and ceiling too.
VellTools::MapBuilder bigRoom(std::int16_t frontTile)
{
    VellTools::MapBuilder b = builder();
    b.wallDefaults.tile = red;
    b.sectorDefaults.floorTile = green;
    b.sectorDefaults.ceilingTile = blue;
    b.addSector(box(0, 0, 4096, 4096), mapZ(0), mapZ(ceiling));
    b.wallFrom(0, 4096, 0).tile = frontTile;
    b.setStart(2048, 2048, 0, 0, 0);
    return b;
}

bool near(int value, int expected, int tolerance = 24)
{
    return std::abs(value - expected) <= tolerance;
}

} // namespace

class Frame : public RenderTest {};

TEST_F(Frame, SurfacesShowTheirTilesAndUnknownTilesTheNeutralOne)
{
    SolidScene solid(bigRoom(yellow).build());
    Scene& scene = solid.scene;
    scene.frame();
    Rgb wall = scene.pixel(16, 32), top = scene.pixel(32, 62), bottom = scene.pixel(32, 1);
    EXPECT_TRUE(wall.red > 200 && wall.green > 200 && wall.blue < 40) << wall.red << " " << wall.green;
    EXPECT_TRUE(top.blue > 200 && top.red < 40) << "ceiling";
    EXPECT_TRUE(bottom.green > 200 && bottom.red < 40) << "floor";
    EXPECT_EQ(scene.camera.visibleCount(), 1);
    EXPECT_EQ(scene.sectors.mirrorCount(), 0);

    // A tile number past the end of the set draws the set's neutral tile.
    Scene unknown(bigRoom(30000).build(), solid.tiles.tiles);
    unknown.use(unknown.sectors);
    unknown.resetCamera();
    unknown.frame();
    Rgb neutral = unknown.pixel(16, 32);
    EXPECT_TRUE(near(neutral.red, 61) && near(neutral.green, 61) && near(neutral.blue, 61)) << neutral.red;
}

// The lists bind textures made before recording: a texture changed after
// prepare shows its new picture, which a recorded upload would overwrite.
TEST_F(Frame, DisplayListsRecordNoTextureUploads)
{
    SolidTiles tiles(basicColours());
    Scene scene(bigRoom(yellow).build(), tiles.tiles);
    scene.use(scene.sectors);
    Vell3D::Texture* texture = tiles.tiles.textureFor(yellow).texture;
    ASSERT_NE(texture, nullptr);
    std::uint8_t* texels = texture->pixels();
    for (int i = 0; i < texture->width() * texture->height(); ++i) {
        texels[4 * i] = 0;
        texels[4 * i + 1] = 255;
        texels[4 * i + 2] = 255;
    }
    texture->upload(true);
    scene.resetCamera();
    scene.frame();
    Rgb wall = scene.pixel(16, 32);
    EXPECT_TRUE(wall.red < 40 && wall.green > 200 && wall.blue > 200) << wall.red;
}

TEST_F(Frame, SkyShowsWhereNoCeilingIsWithItsTileRow)
{
    // Tiles 89..93 of the night sky in five colours; 89 red, 91 yellow.
    std::vector<Rgb> colours(94, Rgb{16, 16, 16});
    colours[89] = {63, 0, 0};
    colours[90] = {0, 63, 0};
    colours[91] = {63, 63, 0};
    colours[92] = {0, 63, 63};
    colours[93] = {63, 0, 63};
    SolidTiles tiles(colours);
    VellTools::MapBuilder b = bigRoom(1);
    b.sector(0).ceilingFlags = SurfaceBits::sky;
    b.sector(0).ceilingTile = 89;
    b.sector(0).floorFlags = SurfaceBits::sky;
    b.sector(0).floorTile = 80;
    Scene scene(b.build(), tiles.tiles);
    scene.use(scene.sectors);
    scene.resetCamera();
    scene.frame();
    EXPECT_EQ(scene.sectors.rootPass().skyTile, 89) << "the ceiling wins";
    // Looking along world -x the view is centred where slot 3 (tile 90)
    // ends and slot 4 (sides 8 and 9, tile 89 + 2) begins, to the right.
    Rgb sky = scene.pixel(48, 62);
    EXPECT_TRUE(sky.red > 120 && sky.green > 120) << sky.red << " " << sky.green << " " << sky.blue;
    // Along world +x, to the right: slot 0, tile 89 itself, faded towards
    // the sky fog's blue.
    scene.turnPlayer(180.0);
    scene.frame();
    sky = scene.pixel(48, 62);
    EXPECT_TRUE(sky.red > 120 && sky.green < 40 && sky.blue > 20) << sky.red << " " << sky.green << " " << sky.blue;
    EXPECT_EQ(scene.pixel(16, 32).red, scene.pixel(16, 30).red) << "the wall is still drawn";

    int row[8];
    Vell3D::SkyCylinder::tilesFor(89, row);
    EXPECT_EQ(std::vector<int>(row, row + 8), (std::vector<int>{89, 91, 92, 90, 91, 90, 92, 93}));
    Vell3D::SkyCylinder::tilesFor(77, row);
    EXPECT_EQ(std::vector<int>(row, row + 8), std::vector<int>(8, 77));
}

TEST_F(Frame, TranslucentWallBlendsOverTheRoomBehind)
{
    SolidTiles tiles(basicColours());
    VellTools::MapBuilder b = builder();
    b.wallDefaults.tile = red;
    b.addSector(box(0, 0, 2048, 2048), mapZ(0), mapZ(ceiling));
    b.addSector(box(2048, 0, 4096, 2048), mapZ(0), mapZ(ceiling));
    b.wallFrom(0, 2048, 0).flags = WallBits::masked | WallBits::translucent;
    b.wallFrom(0, 2048, 0).overTile = blue;
    b.setStart(1024, 1024, 0, 0, 0);
    Scene scene(b.build(), tiles.tiles);
    scene.use(scene.sectors);
    scene.resetCamera();
    scene.frame();
    ASSERT_EQ(scene.camera.visibleCount(), 2);
    Rgb glass = scene.pixel(16, 32);
    // 0.6 of the blue glass over the red wall behind it (the aim marker
    // sits in the middle).
    EXPECT_TRUE(near(glass.red, 95, 30) && near(glass.blue, 145, 30) && glass.green < 30)
        << glass.red << " " << glass.green << " " << glass.blue;
}

// Data that loaded never makes a frame fail: sprites of size 0 or of tiles
// the set lacks, a sector of two walls, a wall of no length.
TEST_F(Frame, DegenerateDataDrawsNothingRatherThanFailing)
{
    SolidTiles tiles(basicColours());
    VellTools::MapBuilder b = builder();
    b.addSector(box(0, 0, 2048, 2048), mapZ(0), mapZ(ceiling));
    b.addSector(box(2048, 0, 4096, 2048), mapZ(0), mapZ(ceiling));
    b.addSprite(0, 1500, 1024, mapZ(0), 9999, 0);
    b.addSprite(0, 1600, 900, mapZ(0), red, 0);
    b.addSprite(1, 3000, 1024, mapZ(0), 504, 0x10);
    b.setStart(1024, 1024, 0, 0, 0);
    Scene scene(b.build(), tiles.tiles);
    scene.world.sprites[1].width = 0.0;
    scene.world.sectors[1].walls.resize(2);
    // Room 0's first wall shrinks to nothing.
    scene.world.points[1].x = scene.world.points[0].x;
    scene.world.points[1].y = scene.world.points[0].y;
    scene.use(scene.sectors);
    scene.resetCamera();
    EXPECT_NO_THROW(scene.frame());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    scene.world.sectors[0].walls.clear();
    EXPECT_NO_THROW(scene.frame());
}
