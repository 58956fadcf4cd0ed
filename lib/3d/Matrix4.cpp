#include "3d/Matrix4.h"

#include <cmath>
#include <numbers>

namespace Vell3D {

Matrix4::Matrix4()
{
    for (int i = 0; i < 16; ++i)
        m[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

Matrix4 Matrix4::fromArray(const double values[16])
{
    Matrix4 r;
    for (int i = 0; i < 16; ++i)
        r.m[i] = values[i];
    return r;
}

Matrix4 Matrix4::translation(double x, double y, double z)
{
    Matrix4 r;
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

Matrix4 Matrix4::rotation(double angle, double x, double y, double z)
{
    Matrix4 r;
    double mag = std::sqrt(x * x + y * y + z * z);
    if (mag == 0.0)
        return r;
    x /= mag;
    y /= mag;
    z /= mag;
    double radians = angle * std::numbers::pi / 180.0;
    double s = std::sin(radians);
    double c = std::cos(radians);
    double t = 1.0 - c;
    // Column 0, column 1, column 2 of the axis-angle rotation.
    r.m[0] = x * x * t + c;
    r.m[1] = y * x * t + z * s;
    r.m[2] = x * z * t - y * s;
    r.m[4] = x * y * t - z * s;
    r.m[5] = y * y * t + c;
    r.m[6] = y * z * t + x * s;
    r.m[8] = x * z * t + y * s;
    r.m[9] = y * z * t - x * s;
    r.m[10] = z * z * t + c;
    return r;
}

Matrix4 Matrix4::scaling(double x, double y, double z)
{
    Matrix4 r;
    r.m[0] = x;
    r.m[5] = y;
    r.m[10] = z;
    return r;
}

Matrix4 Matrix4::reflection(const Vector3& p, const Vector3& n)
{
    const double nv[3] = {n.x, n.y, n.z};
    Matrix4 r;
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 3; ++row)
            r.m[col * 4 + row] = (row == col ? 1.0 : 0.0) - 2.0 * nv[row] * nv[col];
    double k = 2.0 * p.dot(n);
    r.m[12] = k * n.x;
    r.m[13] = k * n.y;
    r.m[14] = k * n.z;
    return r;
}

Matrix4 Matrix4::operator*(const Matrix4& b) const
{
    Matrix4 r;
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += m[k * 4 + row] * b.m[col * 4 + k];
            r.m[col * 4 + row] = sum;
        }
    return r;
}

bool Matrix4::operator==(const Matrix4& b) const
{
    for (int i = 0; i < 16; ++i)
        if (m[i] != b.m[i])
            return false;
    return true;
}

void Matrix4::transform(const double in[4], double out[4]) const
{
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

Vector3 Matrix4::transformPoint(const Vector3& p) const
{
    const double in[4] = {p.x, p.y, p.z, 1.0};
    double out[4];
    transform(in, out);
    return Vector3(out[0] / out[3], out[1] / out[3], out[2] / out[3]);
}

double Matrix4::maxDifference(const Matrix4& b) const
{
    double worst = 0.0;
    for (int i = 0; i < 16; ++i)
        worst = std::fmax(worst, std::fabs(m[i] - b.m[i]));
    return worst;
}

} // namespace Vell3D
