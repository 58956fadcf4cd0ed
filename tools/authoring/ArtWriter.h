// ArtWriter: builds one tile art file (version 1). Tiles are numbered from
// the file's first tile on; pixels are column-major colour indices, index 255
// being transparent.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/authoring/ByteBuffer.h"

namespace VellTools {

struct ArtTile {
    int width = 0;
    int height = 0;
    std::uint32_t animation = 0;
    Bytes pixels; // width * height bytes, column by column from the top
};

class ArtWriter {
public:
    static constexpr std::int32_t version = 1;

    explicit ArtWriter(int firstTile = 0) : firstTile(firstTile) {}

    // Throws Vell::Exception "bad tile size" when the sizes do not fit 16 bits
    // or the pixels do not match them.
    void add(ArtTile tile);
    int first() const { return firstTile; }
    int last() const { return firstTile + static_cast<int>(tiles.size()) - 1; }
    std::size_t count() const { return tiles.size(); }

    // The game-wide tile count field is not read by the viewers; it is
    // written as the number of the tile after this file's last one.
    Bytes bytes() const;

private:
    int firstTile;
    std::vector<ArtTile> tiles;
};

} // namespace VellTools
