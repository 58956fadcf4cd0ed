// The tile set's textures, made on first use from the pixels in the archive
// and kept until they are released (a view that leaves a map gives back
// those the next map does not show) or the set is loaded again or
// destroyed. Kept apart from the rest of the tile set so that programs that
// only read tile sizes (mapinfo) link no GL code.
#include "mapdata/TileSet.h"

#include <algorithm>
#include <exception>
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
    const std::size_t slot = tiles.empty() ? tiles.size() : slotOf(number);
    Tile& record = tiles.empty() ? emptyTile : tiles[slot];
    if (!record.texture)
        makeTexture(record);
    if (slot < textureAsked.size())
        textureAsked[slot] = true;
    return record;
}

void TileSet::beginTextureUse()
{
    textureAsked.assign(tiles.size() + 1, false);
}

void TileSet::releaseUnusedTextures()
{
    if (!textures)
        return;
    auto& owned = static_cast<OwnedTextures&>(*textures);
    std::vector<Texture*> unused;
    auto drop = [&](Tile& tile, std::size_t slot) {
        if (tile.texture && !(slot < textureAsked.size() && textureAsked[slot])) {
            unused.push_back(tile.texture);
            tile.texture = nullptr;
        }
    };
    for (std::size_t slot = 0; slot < tiles.size(); ++slot)
        drop(tiles[slot], slot);
    drop(emptyTile, tiles.size());
    std::sort(unused.begin(), unused.end());
    std::erase_if(owned.made, [&](Texture* texture) {
        return std::binary_search(unused.begin(), unused.end(), texture);
    });
    // Each one goes even when one before it is still in use ("server busy"),
    // which is then reported.
    std::exception_ptr busy;
    for (Texture* texture : unused) {
        try {
            delete texture;
        } catch (...) {
            busy = busy ? busy : std::current_exception();
        }
    }
    if (busy)
        std::rethrow_exception(busy);
}

int TileSet::textureCount() const
{
    return textures ? int(static_cast<const OwnedTextures&>(*textures).made.size()) : 0;
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
