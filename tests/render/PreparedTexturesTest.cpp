// The textures prepare makes: those of everything a frame may bind, and
// none for sprites that no frame draws (invisible ones, ones of no known
// kind), which real maps hold by the hundred as markers and switches.
#include "RenderScene.h"

using namespace RenderTests;

namespace {

class PreparedTextures : public RenderTest {};

} // namespace

TEST_F(PreparedTextures, spritesNoFrameDrawsGetNoTexture)
{
    VellTools::MapBuilder b = builder();
    b.addSector(box(0, 0, 2048, 2048), mapZ(0), mapZ(1024));
    b.addSprite(0, 1024, 1500, mapZ(0), red, 0);
    b.addSprite(0, 1024, 1600, mapZ(0), green, SpriteBits::invisible);
    b.addSprite(0, 1024, 1700, mapZ(0), blue, SpriteBits::wallKind | SpriteBits::floorKind);
    b.setStart(1024, 1024, 0, 0, 0);
    SolidScene solid(b.build());
    TileSet& tiles = solid.tiles.tiles;
    EXPECT_NE(tiles.tile(red).texture, nullptr);
    EXPECT_NE(tiles.tile(grey).texture, nullptr);   // the walls, floor and ceiling
    EXPECT_EQ(tiles.tile(green).texture, nullptr);
    EXPECT_EQ(tiles.tile(blue).texture, nullptr);

    // Frames draw the shown sprite and make nothing new.
    const int made = tiles.textureCount();
    solid.scene.frame();
    EXPECT_EQ(tiles.textureCount(), made);
}
