// The tile set's textures, made on first use from the pixels in the archive
// and kept until the set is loaded again or destroyed. Kept apart from the
// rest of the tile set so that programs that only read tile sizes (mapinfo)
// link no GL code.
#include "mapdata/TileSet.h"

#include <memory>
#include <vector>

#include "3d/Texture.h"

namespace Vell3D {

class TileSet::OwnedTextures : public TileSet::TextureStore {
public:
    ~OwnedTextures() noexcept(false) override
    {
        for (Texture* texture : made)
            delete texture;
    }

    std::vector<Texture*> made;
};

const Tile& TileSet::textureFor(int number)
{
    Tile& record = tiles.empty() ? emptyTile : tiles[slotOf(number)];
    if (!record.texture)
        makeTexture(record);
    return record;
}

void TileSet::makeTexture(Tile& tile)
{
    const std::vector<std::uint8_t> rgba = pixelsOf(tile);
    auto texture = std::make_unique<Texture>();
    texture->create(tile.width, tile.height);
    texture->fill(rgba.data(), tile.width, tile.height);
    texture->upload(true);
    if (!textures)
        textures = new OwnedTextures;
    auto& owned = static_cast<OwnedTextures&>(*textures);
    // Its slot first: once the texture has left its unique_ptr nothing may throw.
    owned.made.push_back(nullptr);
    tile.texture = texture.release();
    owned.made.back() = tile.texture;
    tile.textureRange[0] = 0.0;
    tile.textureRange[1] = 1.0;
    tile.textureRange[2] = 0.0;
    tile.textureRange[3] = 1.0;
}

} // namespace Vell3D
