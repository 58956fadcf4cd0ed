// The tile set's textures, made on first use from the pixels in the archive.
// Kept apart from the rest of the tile set so that programs that only read
// tile sizes (mapinfo) do not link the GL texture code.
#include "mapdata/TileSet.h"

#include <memory>
#include <vector>

#include "3d/Texture.h"
#include "core/Exception.h"

namespace Vell3D {

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
    tile.texture = texture.release();
    tile.textureRange[0] = 0.0;
    tile.textureRange[1] = 1.0;
    tile.textureRange[2] = 0.0;
    tile.textureRange[3] = 1.0;
}

} // namespace Vell3D
