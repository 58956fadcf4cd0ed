// Vector3: a point or direction in doubles. The operations that say "new"
// leave this vector alone and return the result; the others work in place.
#pragma once

#include "core/Object.h"

namespace Vell3D {

class Vector3 : public Vell::Object {
public:
    Vector3() = default;
    Vector3(double x, double y, double z) : x(x), y(y), z(z) {}

    // Three 8-byte doubles, x first.
    void writeObject(Vell::Stream& stream) const override;
    void readObject(Vell::Stream& stream) override;

    virtual double length() const;
    virtual void normalize();
    virtual void scaleBy(double a, double b, double c);
    virtual void scale(double s);
    virtual Vector3 plusScalar(double s) const;
    virtual Vector3 plus(const Vector3& v) const;
    virtual Vector3 subtractedFrom(double s) const;
    virtual Vector3 minus(const Vector3& v) const;
    virtual Vector3 times(double s) const;
    virtual double dot(const Vector3& v) const;
    virtual Vector3 dividedBy(double s) const;
    virtual Vector3 cross(const Vector3& v) const;
    virtual Vector3 normalized() const;
    virtual bool equals(const Vector3& v) const;
    virtual bool notEquals(const Vector3& v) const;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

} // namespace Vell3D
