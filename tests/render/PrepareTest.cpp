// What prepare makes and keeps: the textures of everything a frame may
// bind, and none for sprites that no frame draws (invisible ones, ones of
// no known kind), which real maps hold by the hundred as markers and
// switches; of the surfaces, only the middle pieces frames draw one by one.
#include "RenderScene.h"
#include "surfaces/WorldSurfaces.h"

using namespace RenderTests;

namespace {

class Prepare : public RenderTest {};

} // namespace

TEST_F(Prepare, spritesNoFrameDrawsGetNoTexture)
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

// Two rooms joined by a masked opening: its middle piece is kept, with the
// very triangles the surfaces give it; the walls, floors and ceilings are
// in the lists alone.
TEST_F(Prepare, onlyTheMiddlePiecesAreKeptBesideTheLists)
{
    VellTools::MapBuilder b = builder();
    b.addSector(box(0, 0, 2048, 2048), mapZ(0), mapZ(1024));
    b.addSector(box(0, 2048, 2048, 4096), mapZ(0), mapZ(1024));
    VellTools::Wall& opening = b.wallFrom(0, 2048, 2048);
    opening.flags = WallBits::masked;
    opening.overTile = red;
    b.setStart(1024, 1024, 0, 0, 0);
    SolidScene solid(b.build());
    const SectorRenderer& renderer = solid.scene.sectors;
    WorldSurfaces all;
    all.build(solid.scene.world);

    int kept = 0;
    for (std::size_t w = 0; w < solid.scene.world.walls.size(); ++w) {
        const Surface* expected = all.middle(int(w));
        const Surface* piece = renderer.middle(int(w));
        ASSERT_EQ(piece != nullptr, expected != nullptr) << "wall " << w;
        if (!piece)
            continue;
        ++kept;
        EXPECT_EQ(piece->tile, red);
        ASSERT_EQ(piece->count, expected->count);
        const SurfaceVertex* a = renderer.middles().verticesOf(*piece);
        const SurfaceVertex* e = all.mesh().verticesOf(*expected);
        for (std::uint32_t i = 0; i < piece->count; ++i) {
            EXPECT_EQ(a[i].x, e[i].x);
            EXPECT_EQ(a[i].z, e[i].z);
            EXPECT_EQ(a[i].u, e[i].u);
        }
    }
    EXPECT_EQ(kept, 1);   // the first room's side of the opening
    EXPECT_EQ(renderer.middles().surfaces.size(), 1u);
    EXPECT_EQ(renderer.middles().vertices.size(), 6u);
}
