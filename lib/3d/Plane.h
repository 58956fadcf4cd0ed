// Plane: a·x + b·y + c·z + d = 0 with an unnormalised normal (a, b, c), so a
// point's value is a scaled distance. Points within half a unit count as on
// the plane, which absorbs the rounding of map coordinates.
#pragma once

#include "3d/Vector3.h"

namespace Vell3D {

struct Plane {
    Plane() = default;
    Plane(double a, double b, double c, double d) : a(a), b(b), c(c), d(d) {}
    // Normal (p1 - p0) x (p2 - p0), through p0.
    Plane(const Vector3& p0, const Vector3& p1, const Vector3& p2);

    double value(const Vector3& p) const { return a * p.x + b * p.y + c * p.z + d; }
    // 0 on the plane, +1 in front (value >= 0.5), -1 behind (value <= -0.5).
    int classify(const Vector3& p) const;
    // Parameter t of the ray o + t (q - o) where it meets the plane (t = 1
    // at q); +infinity for a ray parallel to the plane.
    double intersect(const Vector3& o, const Vector3& q) const;

    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;
};

} // namespace Vell3D
