// Vector2: a pair of doubles, used for texture coordinates.
#pragma once

#include "core/Object.h"

namespace Vell3D {

class Vector2 : public Vell::Object {
public:
    Vector2() = default;
    Vector2(double x, double y) : x(x), y(y) {}

    // Two 8-byte doubles, x first.
    void writeObject(Vell::Stream& stream) const override;
    void readObject(Vell::Stream& stream) override;

    virtual bool equals(const Vector2& v) const { return x == v.x && y == v.y; }
    virtual bool notEquals(const Vector2& v) const { return !equals(v); }

    double x = 0.0;
    double y = 0.0;
};

} // namespace Vell3D
