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

    // The part of `through` in which the piece (corners in loop order, as
    // a wall piece holds them) is seen; empty when it is not.
    ViewWindow cover(const Vector3 corners[4], const ViewWindow& through) const;
    // The part of `through` in which the strip above the edge from `from`
    // to `to` (with up false, below it) is seen, the strip reaching without
    // end.
    ViewWindow coverStrip(const double from[3], const double to[3], bool up, const ViewWindow& through) const;
    // The part of `through` in which the piece lies nearer than `near` in
    // depth: where the GL's near plane cuts it away and what lies behind
    // it shows. Empty when no part of it is that near within the window.
    ViewWindow nearCut(const Vector3 corners[4], double near, const ViewWindow& through) const;
    // The part of `through` in which anything inside the box (world
    // corners lo and hi) can be seen: its faces, each cut like a piece.
    ViewWindow coverBox(const double lo[3], const double hi[3], const ViewWindow& through) const;

private:
    // A point relative to the eye in the camera's frame, with depth = -z;
    // a direction (a point at infinity) takes the same form.
    struct Ray {
        double x, y, depth;
    };
    Ray point(const Vector3& p) const;
    Ray direction(double dx, double dy, double dz) const;
    static int clip(const Ray* in, int count, double a, double b, double c, Ray* out, double k = 0.0);
    ViewWindow coverRays(Ray* polygon, int count, const ViewWindow& through) const;
    static unsigned outcode(const Ray& r, const ViewWindow& wide);
    static ViewWindow outlineOf(const Ray* rays, int count, const ViewWindow& wide, const ViewWindow& through);

    Vector3 eye;
    // Rows of the world-to-camera map: x, y and depth of a world offset.
    double rowX[3] = {};
    double rowY[3] = {};
    double rowDepth[3] = {};
};

} // namespace Vell3D
