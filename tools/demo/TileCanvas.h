// TileCanvas: a tile picture being drawn, stored as the art files keep it:
// column by column, each column from the top down.
#pragma once

#include <cstdint>

#include "tools/authoring/ArtWriter.h"
#include "tools/demo/DemoPalette.h"

namespace VellTools {

class TileCanvas {
public:
    TileCanvas(int width, int height, int fill = transparentIndex) : w(width), h(height)
    {
        tile.width = width;
        tile.height = height;
        tile.pixels.assign(static_cast<std::size_t>(width) * height, static_cast<std::uint8_t>(fill));
    }

    int width() const { return w; }
    int height() const { return h; }
    // Coordinates wrap, so patterns drawn across an edge tile seamlessly.
    void set(int x, int y, int color) { tile.pixels[index(x, y)] = static_cast<std::uint8_t>(color); }
    int get(int x, int y) const { return tile.pixels[index(x, y)]; }
    void fillRect(int x0, int y0, int x1, int y1, int color)
    {
        for (int x = x0; x < x1; ++x)
            for (int y = y0; y < y1; ++y)
                set(x, y, color);
    }
    ArtTile take() { return std::move(tile); }

private:
    std::size_t index(int x, int y) const
    {
        x = ((x % w) + w) % w;
        y = ((y % h) + h) % h;
        return static_cast<std::size_t>(x) * h + y;
    }
    int w, h;
    ArtTile tile;
};

// A cheap, repeatable pixel hash in 0..255 for texture grain.
inline int grain(int x, int y, int seed)
{
    std::uint32_t v = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    v = (v ^ (v >> 13)) * 1274126177u;
    return static_cast<int>((v ^ (v >> 16)) & 255);
}

} // namespace VellTools
