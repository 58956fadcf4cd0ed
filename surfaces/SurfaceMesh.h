// SurfaceMesh: what walkview draws, as plain triangles, with no GL in sight.
// A surface is one floor, ceiling, wall piece, sprite or part of the sky:
// the tile it shows, the colour the tile is multiplied by (palette tint and
// shade, alpha), how it is drawn, and its triangles, three vertices each,
// taken from the mesh's one vertex array. The renderer records its display
// lists from these triangles and draws the rest of a frame from them; the
// export writes the same triangles, so the file holds what the view shows.
#pragma once

#include <cstdint>
#include <vector>

#include "world/World.h"

namespace Vell3D {

// How a surface is drawn. Solid surfaces make up a sector's display list;
// masked ones (the tile's transparent index cut out) and translucent ones
// (blended with an alpha below 1) are drawn from far to near after it; the
// mirror glass lies faintly over a mirror's reflection; the sky cylinder
// is drawn behind everything around the viewer.
enum class DrawKind : std::uint8_t { solid, masked, translucent, mirror, sky };

// What a surface stands for: a floor, ceiling or wall piece by the world's
// own numbers (world/World.h SurfaceKind, surfaceFloor .. surfaceMiddle),
// or one of these.
enum SurfacePart : std::uint8_t {
    partSprite = surfaceMiddle + 1,
    partSkyWall,
    partSkyCap,
};

// World coordinates and the texture coordinate the tile is sampled at.
struct SurfaceVertex {
    double x, y, z;
    double u, v;
};

struct SurfaceColour {
    std::uint8_t red = 255, green = 255, blue = 255, alpha = 255;
};

struct Surface {
    int tile = -1;            // the tile number bound for it; -1: no texture
    DrawKind kind = DrawKind::solid;
    std::uint8_t part = surfaceFloor;
    int index = -1;           // the wall of a piece, the sprite; -1 otherwise
    SurfaceColour colour;
    std::uint32_t first = 0;  // in SurfaceMesh::vertices
    std::uint32_t count = 0;  // a multiple of three

    std::uint32_t triangleCount() const { return count / 3; }
    // A wall piece, sprite or side of the sky: one quad added by addQuad.
    bool isQuad() const { return part >= surfaceLower && part != partSkyCap && count == 6; }
};

struct SurfaceMesh {
    // A quad's corners 0..3 as two triangles, in the order the GL driver
    // cuts a quad: 0-1-3, then 1-2-3.
    static constexpr int quadCorners[6] = {0, 1, 3, 1, 2, 3};
    // Where corners 0..3 of a quad added by addQuad lie among its vertices.
    static constexpr int quadVertices[4] = {0, 1, 4, 2};

    std::vector<SurfaceVertex> vertices;
    std::vector<Surface> surfaces;

    // Opens a surface whose triangles the next add calls append.
    Surface& begin(const Surface& surface);
    void add(const SurfaceVertex& a, const SurfaceVertex& b, const SurfaceVertex& c);
    // The quad a, b, c, d as quadCorners cuts it.
    void addQuad(const SurfaceVertex& a, const SurfaceVertex& b, const SurfaceVertex& c, const SurfaceVertex& d);
    const SurfaceVertex* verticesOf(const Surface& surface) const { return vertices.data() + surface.first; }
    void clear();
};

} // namespace Vell3D
