#include "render/ViewProjection.h"

#include <algorithm>
#include <cmath>

namespace Vell3D {

namespace {

// A piece with both extensions has six vertices; each of the four sides
// adds at most one more to a convex polygon.
constexpr int maxVertices = 12;

void crossInto(const double a[3], const double b[3], double out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

} // namespace

// The camera's frame maps its local offsets to world ones through the
// columns a0, a1, a2; its inverse has the rows (a1 x a2, a2 x a0, a0 x a1)
// over the determinant.
void ViewProjection::set(const Vector3& eyePoint, const Vector3& xEnd, const Vector3& yEnd, const Vector3& zEnd)
{
    eye = eyePoint;
    const double a0[3] = {xEnd.x - eye.x, xEnd.y - eye.y, xEnd.z - eye.z};
    const double a1[3] = {yEnd.x - eye.x, yEnd.y - eye.y, yEnd.z - eye.z};
    const double a2[3] = {zEnd.x - eye.x, zEnd.y - eye.y, zEnd.z - eye.z};
    crossInto(a1, a2, rowX);
    crossInto(a2, a0, rowY);
    crossInto(a0, a1, rowDepth);
    const double det = a0[0] * rowX[0] + a0[1] * rowX[1] + a0[2] * rowX[2];
    const double scale = det != 0.0 ? 1.0 / det : 0.0;
    for (int i = 0; i < 3; ++i) {
        rowX[i] *= scale;
        rowY[i] *= scale;
        rowDepth[i] *= -scale;
    }
}

ViewProjection::Ray ViewProjection::direction(double dx, double dy, double dz) const
{
    return Ray{rowX[0] * dx + rowX[1] * dy + rowX[2] * dz, rowY[0] * dx + rowY[1] * dy + rowY[2] * dz,
               rowDepth[0] * dx + rowDepth[1] * dy + rowDepth[2] * dz};
}

ViewProjection::Ray ViewProjection::point(const Vector3& p) const
{
    return direction(p.x - eye.x, p.y - eye.y, p.z - eye.z);
}

// Keeps the part of the polygon where a x + b y + c depth + k >= 0. Every
// side of a window is a plane through the eye (k = 0), so points and points
// at infinity are cut alike; a plane off the eye cuts points only.
int ViewProjection::clip(const Ray* in, int count, double a, double b, double c, Ray* out, double k)
{
    if (count == 0)
        return 0;
    int n = 0;
    const Ray* p = &in[count - 1];
    double vp = a * p->x + b * p->y + c * p->depth + k;
    for (int i = 0; i < count; ++i) {
        const Ray& q = in[i];
        const double vq = a * q.x + b * q.y + c * q.depth + k;
        if ((vp >= 0.0) != (vq >= 0.0)) {
            const double t = vp / (vp - vq);
            out[n++] = Ray{p->x + (q.x - p->x) * t, p->y + (q.y - p->y) * t, p->depth + (q.depth - p->depth) * t};
        }
        if (vq >= 0.0)
            out[n++] = q;
        p = &q;
        vp = vq;
    }
    return n;
}

ViewWindow ViewProjection::cover(const Vector3 corners[4], const ViewWindow& through) const
{
    Ray polygon[maxVertices] = {point(corners[0]), point(corners[1]), point(corners[2]), point(corners[3])};
    return coverRays(polygon, 4, through);
}

ViewWindow ViewProjection::nearCut(const Vector3 corners[4], double near, const ViewWindow& through) const
{
    const Ray polygon[4] = {point(corners[0]), point(corners[1]), point(corners[2]), point(corners[3])};
    Ray nearPart[maxVertices];
    const int n = clip(polygon, 4, 0.0, 0.0, -1.0, nearPart, near);
    return n == 0 ? ViewWindow{} : coverRays(nearPart, n, through);
}

// The polygon is cut only by the sides that some corner lies outside of;
// one that all corners lie outside of leaves nothing.
ViewWindow ViewProjection::coverRays(Ray* polygon, int n, const ViewWindow& through) const
{
    const ViewWindow wide{through.left - margin, through.right + margin, through.bottom - margin,
                          through.top + margin};
    const double sides[4][3] = {{1.0, 0.0, -wide.left}, {-1.0, 0.0, wide.right}, {0.0, 1.0, -wide.bottom},
                                {0.0, -1.0, wide.top}};
    unsigned outsideAll = 15, outsideAny = 0;
    for (int i = 0; i < n; ++i) {
        const unsigned outside = outcode(polygon[i], wide);
        outsideAll &= outside;
        outsideAny |= outside;
    }
    if (outsideAll != 0 || n == 0)
        return ViewWindow{};
    Ray spare[maxVertices];
    Ray* in = polygon;
    Ray* out = spare;
    for (unsigned k = 0; k < 4 && n > 0; ++k) {
        if (outsideAny & (1u << k)) {
            n = clip(in, n, sides[k][0], sides[k][1], sides[k][2], out);
            std::swap(in, out);
        }
    }
    if (n == 0)
        return ViewWindow{};
    return outlineOf(in, n, wide, through);
}

// The sides of `wide` (1 left, 2 right, 4 bottom, 8 top) that the ray lies
// outside of.
unsigned ViewProjection::outcode(const Ray& r, const ViewWindow& wide)
{
    return (r.x - wide.left * r.depth < 0.0 ? 1u : 0u) | (wide.right * r.depth - r.x < 0.0 ? 2u : 0u) |
           (r.y - wide.bottom * r.depth < 0.0 ? 4u : 0u) | (wide.top * r.depth - r.y < 0.0 ? 8u : 0u);
}

// The box round the rays of a polygon inside all four sides of `wide`,
// widened by the margin, within `through`. Inside all four sides a point
// lies in front of the eye, or at the eye itself, where the polygon could
// be seen anywhere in the window.
ViewWindow ViewProjection::outlineOf(const Ray* rays, int n, const ViewWindow& wide, const ViewWindow& through)
{
    ViewWindow box{wide.right, wide.left, wide.top, wide.bottom};
    for (int i = 0; i < n; ++i) {
        const Ray& r = rays[i];
        if (!(r.depth > 0.0))
            return through;
        const double u = std::clamp(r.x / r.depth, wide.left, wide.right);
        const double v = std::clamp(r.y / r.depth, wide.bottom, wide.top);
        box.join(ViewWindow{u, u, v, v});
    }
    return ViewWindow{box.left - margin, box.right + margin, box.bottom - margin, box.top + margin}.meet(through);
}

ViewWindow ViewProjection::coverStrip(const double from[3], const double to[3], bool up,
                                      const ViewWindow& through) const
{
    Ray polygon[maxVertices] = {direction(from[0] - eye.x, from[1] - eye.y, from[2] - eye.z),
                                direction(0.0, 0.0, up ? 1.0 : -1.0),
                                direction(to[0] - eye.x, to[1] - eye.y, to[2] - eye.z)};
    return coverRays(polygon, 3, through);
}

// A box shows within the outline of its faces. Most boxes lie wholly
// outside one side of the window, or wholly inside it, in front of the eye;
// those need no face cut (the outline is then the box round the corners).
ViewWindow ViewProjection::coverBox(const double lo[3], const double hi[3], const ViewWindow& through) const
{
    Ray corner[8];
    for (int i = 0; i < 8; ++i)
        corner[i] = direction((i & 1 ? hi[0] : lo[0]) - eye.x, (i & 2 ? hi[1] : lo[1]) - eye.y,
                              (i & 4 ? hi[2] : lo[2]) - eye.z);
    const ViewWindow wide{through.left - margin, through.right + margin, through.bottom - margin,
                          through.top + margin};
    unsigned outsideAll = 15, outsideAny = 0;
    bool inFront = true;
    for (const Ray& r : corner) {
        const unsigned outside = outcode(r, wide);
        outsideAll &= outside;
        outsideAny |= outside;
        inFront = inFront && r.depth > 0.0;
    }
    if (outsideAll != 0)
        return ViewWindow{};
    if (outsideAny == 0 && inFront)
        return outlineOf(corner, 8, wide, through);
    // Seen from outside, the faces towards the eye cover all the box shows;
    // from inside, it is all round.
    static constexpr int faces[6][4] = {{0, 2, 6, 4}, {1, 3, 7, 5}, {0, 1, 5, 4},
                                        {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 5, 7, 6}};
    const double at[3] = {eye.x, eye.y, eye.z};
    ViewWindow outline;
    bool inside = true;
    for (int axis = 0; axis < 3; ++axis) {
        const int face = at[axis] < lo[axis] ? 2 * axis : at[axis] > hi[axis] ? 2 * axis + 1 : -1;
        if (face < 0)
            continue;
        inside = false;
        const int* f = faces[face];
        Ray quad[maxVertices] = {corner[f[0]], corner[f[1]], corner[f[2]], corner[f[3]]};
        outline = joined(outline, coverRays(quad, 4, through));
    }
    return inside ? through : outline;
}

} // namespace Vell3D
