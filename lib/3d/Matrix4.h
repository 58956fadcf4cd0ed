// Matrix4: a 4 x 4 transform in doubles, stored column after column as
// OpenGL stores it (elements 12, 13, 14 are the translation) and applied to
// column vectors. The builders give the same values as the fixed-function
// calls of the same names, so transforms need no GL context and can be
// checked directly.
#pragma once

#include "3d/Vector3.h"

namespace Vell3D {

class Matrix4 {
public:
    Matrix4();   // identity

    static Matrix4 identity() { return Matrix4(); }
    static Matrix4 fromArray(const double values[16]);
    // The matrices of glTranslated, glRotated (degrees about an axis that is
    // normalised first; a zero axis gives the identity) and glScaled.
    static Matrix4 translation(double x, double y, double z);
    static Matrix4 rotation(double angle, double x, double y, double z);
    static Matrix4 scaling(double x, double y, double z);
    // Mirror in the plane through p with unit normal n: I - 2nn^T with the
    // translation 2(p.n)n. Its own inverse.
    static Matrix4 reflection(const Vector3& p, const Vector3& n);

    Matrix4 operator*(const Matrix4& b) const;
    bool operator==(const Matrix4& b) const;
    double operator[](int i) const { return m[i]; }
    double& operator[](int i) { return m[i]; }
    const double* data() const { return m; }
    double at(int row, int column) const { return m[column * 4 + row]; }

    // In-place right products, as the GL calls apply them: this = this * op.
    void translate(double x, double y, double z) { *this = *this * translation(x, y, z); }
    void rotate(double angle, double x, double y, double z) { *this = *this * rotation(angle, x, y, z); }
    void scale(double x, double y, double z) { *this = *this * scaling(x, y, z); }
    void multiply(const Matrix4& b) { *this = *this * b; }
    void reflect(const Vector3& p, const Vector3& n) { *this = *this * reflection(p, n); }

    // (x, y, z, w) = this * in.
    void transform(const double in[4], double out[4]) const;
    // this * (p, 1) with x, y, z divided by the resulting w.
    Vector3 transformPoint(const Vector3& p) const;
    // Largest element-wise difference, for comparisons up to rounding.
    double maxDifference(const Matrix4& b) const;

private:
    double m[16];
};

} // namespace Vell3D
