// ViewProjection: where a camera sees world points, in the tangent units of
// ViewWindow. A mirror's camera has the reflection of the viewer's frame,
// so it puts every point where the picture shows that point's reflection:
// the windows of a mirror pass and of the pass around it share one measure.
//
// cover finds the part of a window through which a wall piece is seen: the
// piece is clipped to the window's four sides (planes through the eye), so
// a piece that reaches behind the eye needs no special case, and the
// bounding box of what is left is the answer. The result is widened by
// `margin` on every side (the window's own sides are moved out by it before
// clipping, too), so that rounding here or in the GL's rasteriser never
// loses a pixel at a window's edge; it never reaches outside the window it
// was found through.
#pragma once

#include "3d/Vector3.h"
#include "render/ViewWindow.h"

namespace Vell3D {

class ViewProjection {
public:
    // A quarter pixel of the 800 x 600 view.
    static constexpr double margin = 5e-4;

    // The camera's eye and the world points at the ends of its own unit
    // axes (so any affine frame, a reflected one included, is taken as is).
    void set(const Vector3& eye, const Vector3& xEnd, const Vector3& yEnd, const Vector3& zEnd);

    // The part of `through` in which the piece (corners 0 end top, 1 start
    // top, 2 start bottom, 3 end bottom, its sides upright) is seen; empty
    // when it is not. The piece is taken to reach up to at least `top` and
    // down to at least `bottom` (either may be infinite): a sky lets the eye
    // past a sector's ceiling or floor, and from there over any height of
    // a wall up to the highest ceiling.
    ViewWindow cover(const Vector3 corners[4], double top, double bottom, const ViewWindow& through) const;
    // The part of `through` in which the strip above the edge from `from`
    // to `to` (with up false, below it) is seen, the strip reaching without
    // end.
    ViewWindow coverStrip(const double from[3], const double to[3], bool up, const ViewWindow& through) const;
    // The part of `through` in which anything inside the box (world
    // corners lo and hi) can be seen; all of it when the box reaches
    // behind the eye.
    ViewWindow coverBox(const double lo[3], const double hi[3], const ViewWindow& through) const;
    // What cover takes as "no further than the piece itself".
    static constexpr double noTop = -1e300;
    static constexpr double noBottom = 1e300;

private:
    // A point relative to the eye in the camera's frame, with depth = -z;
    // a direction (a point at infinity) takes the same form.
    struct Ray {
        double x, y, depth;
    };
    Ray point(const Vector3& p) const;
    // The corner moved up or down its upright side to height z.
    Ray raised(const Vector3& corner, double z) const;
    int outline(const Vector3 corners[4], double top, double bottom, Ray* polygon) const;
    Ray direction(double dx, double dy, double dz) const;
    static int clip(const Ray* in, int count, double a, double b, double c, Ray* out);
    ViewWindow coverRays(Ray* polygon, int count, const ViewWindow& through) const;

    Vector3 eye;
    // Rows of the world-to-camera map: x, y and depth of a world offset.
    double rowX[3] = {};
    double rowY[3] = {};
    double rowDepth[3] = {};
};

} // namespace Vell3D
