#include "surfaces/SkyCylinder.h"

#include <cmath>

#include "mapdata/MapFlags.h"

namespace Vell3D {

namespace {

// The sky bases that mix the tiles after them: the offsets from the base of
// the eight tiles, in order round the ring. Any other base repeats itself.
constexpr int dayOffsets[8] = {0, 1, 0, 0, 2, 3, 0, 2};
constexpr int duskOffsets[8] = {0, 1, 2, 3, 0, 0, 4, 0};
constexpr int nightOffsets[8] = {0, 2, 3, 1, 2, 1, 3, 4};

} // namespace

// Sixteen sides from angle 0 in steps of -pi/8; each tile spans two sides,
// u running 0..0.5 over the first and 0.5..1 over the second. Tile
// boundaries fall on the sides' ends, so no side needs splitting.
SkyCylinder::SkyCylinder()
{
    for (int k = 0; k < sides; ++k) {
        const double angle = -k * M_PI / 8.0;
        const double u = (k % 2) * 0.5;
        ring_.push_back(Side{k / 2, radius * std::cos(angle), radius * std::sin(angle), u, u + 0.5});
    }
}

void SkyCylinder::tilesFor(int base, int tiles[8])
{
    const int* offsets = nullptr;
    if (base == SpecialTiles::nightSky)
        offsets = nightOffsets;
    else if (base == SpecialTiles::daySky)
        offsets = dayOffsets;
    else if (base == SpecialTiles::duskSky)
        offsets = duskOffsets;
    for (int i = 0; i < 8; ++i)
        tiles[i] = base + (offsets ? offsets[i] : 0);
}

void SkyCylinder::build(SurfaceMesh& mesh, int skyTile, double x0, double y0) const
{
    int tiles[8];
    tilesFor(skyTile, tiles);
    const double h = halfHeight;
    const std::size_t n = ring_.size();
    for (std::size_t k = 0; k < n; ++k) {
        const Side& e = ring_[k];
        const Side& next = ring_[(k + 1) % n];
        Surface surface;
        surface.tile = tiles[e.slot];
        surface.kind = DrawKind::sky;
        surface.part = partSkyWall;
        mesh.begin(surface);
        mesh.addQuad(SurfaceVertex{x0 + e.x, y0 + e.y, -h, e.uStart, 1.0},
                     SurfaceVertex{x0 + next.x, y0 + next.y, -h, e.uEnd, 1.0},
                     SurfaceVertex{x0 + next.x, y0 + next.y, h, e.uEnd, 0.0},
                     SurfaceVertex{x0 + e.x, y0 + e.y, h, e.uStart, 0.0});
    }
    addCap(mesh, x0, y0, h, true);
    addCap(mesh, x0, y0, -h, false);
}

// The top runs round the ring in its own order, the bottom backwards, so
// that both face the inside; each is cut as the driver cuts a polygon.
void SkyCylinder::addCap(SurfaceMesh& mesh, double x0, double y0, double z, bool top) const
{
    Surface surface;
    surface.kind = DrawKind::sky;
    surface.part = partSkyCap;
    surface.colour = SurfaceColour{0, 0, 0, 255};
    mesh.begin(surface);
    const std::size_t n = ring_.size();
    auto at = [&](std::size_t i) {
        const Side& e = ring_[top ? i : n - 1 - i];
        return SurfaceVertex{x0 + e.x, y0 + e.y, z, 0.0, 0.0};
    };
    for (std::size_t i = 1; i + 1 < n; ++i)
        mesh.add(at(0), at(i), at(i + 1));
}

} // namespace Vell3D
