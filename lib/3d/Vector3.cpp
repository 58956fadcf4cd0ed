#include "3d/Vector3.h"

#include <cmath>

#include "core/Stream.h"

namespace Vell3D {

void Vector3::writeObject(Vell::Stream& stream) const
{
    stream << x << y << z;
}

void Vector3::readObject(Vell::Stream& stream)
{
    stream >> x >> y >> z;
}

double Vector3::length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

void Vector3::normalize()
{
    double l = length();
    x /= l;
    y /= l;
    z /= l;
}

void Vector3::scaleBy(double a, double b, double c)
{
    x *= a;
    y *= b;
    z *= c;
}

void Vector3::scale(double s)
{
    scaleBy(s, s, s);
}

Vector3 Vector3::plusScalar(double s) const
{
    return Vector3(x + s, y + s, z + s);
}

Vector3 Vector3::plus(const Vector3& v) const
{
    return Vector3(x + v.x, y + v.y, z + v.z);
}

Vector3 Vector3::subtractedFrom(double s) const
{
    return Vector3(s - x, s - y, s - z);
}

Vector3 Vector3::minus(const Vector3& v) const
{
    return Vector3(x - v.x, y - v.y, z - v.z);
}

Vector3 Vector3::times(double s) const
{
    return Vector3(x * s, y * s, z * s);
}

double Vector3::dot(const Vector3& v) const
{
    return x * v.x + y * v.y + z * v.z;
}

// Multiplying by the reciprocal, not dividing, keeps results bit-identical
// with the rest of the geometry code that does the same.
Vector3 Vector3::dividedBy(double s) const
{
    double r = 1.0 / s;
    return Vector3(x * r, y * r, z * r);
}

Vector3 Vector3::cross(const Vector3& v) const
{
    return Vector3(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
}

Vector3 Vector3::normalized() const
{
    Vector3 v(x, y, z);
    v.normalize();
    return v;
}

bool Vector3::equals(const Vector3& v) const
{
    return x == v.x && y == v.y && z == v.z;
}

bool Vector3::notEquals(const Vector3& v) const
{
    return !equals(v);
}

} // namespace Vell3D
