#include "3d/Plane.h"

#include <limits>

namespace Vell3D {

Plane::Plane(const Vector3& p0, const Vector3& p1, const Vector3& p2)
{
    Vector3 n = p1.minus(p0).cross(p2.minus(p0));
    a = n.x;
    b = n.y;
    c = n.z;
    d = -n.dot(p0);
}

int Plane::classify(const Vector3& p) const
{
    double v = value(p);
    if (v >= 0.5)
        return 1;
    if (v <= -0.5)
        return -1;
    return 0;
}

double Plane::intersect(const Vector3& o, const Vector3& q) const
{
    Vector3 dir = q.minus(o);
    double g = a * dir.x + b * dir.y + c * dir.z;
    if (g == 0.0)
        return std::numeric_limits<double>::infinity();
    return -value(o) / g;
}

} // namespace Vell3D
