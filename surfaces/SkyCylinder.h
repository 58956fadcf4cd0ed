// SkyCylinder: the parallax sky as the view draws it, a vertical cylinder
// of sixteen sides and radius 80000 round the viewer's x and y, from
// z = -75000 to +75000, showing eight tiles round the horizon (two sides
// each), closed above and below by black caps.
#pragma once

#include <vector>

#include "surfaces/SurfaceMesh.h"

namespace Vell3D {

class SkyCylinder {
public:
    static constexpr double radius = 80000.0;
    static constexpr double halfHeight = 75000.0;
    static constexpr int sides = 16;

    // One side: its tile slot (0..7), its start point and the texture's u
    // at its two ends.
    struct Side {
        int slot;
        double x, y;
        double uStart, uEnd;
    };

    SkyCylinder();

    // The eight tiles round the horizon for a sky base.
    static void tilesFor(int base, int tiles[8]);
    const std::vector<Side>& ring() const { return ring_; }
    // Appends the sixteen sides (one surface each, with its tile) and the
    // two caps (no tile) round (x0, y0).
    void build(SurfaceMesh& mesh, int skyTile, double x0, double y0) const;

private:
    void addCap(SurfaceMesh& mesh, double x0, double y0, double z, bool top) const;

    std::vector<Side> ring_;
};

} // namespace Vell3D
