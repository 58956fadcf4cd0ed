// Where the walk's projection says a box or a wall piece shows, against a
// reference that shares nothing with it: points sampled densely over the
// surface, each taken to the camera's frame with the frame's own axes and
// divided by its depth. Every sample that lands inside the window must lie
// inside the answer (nothing missing), and each side of the answer must
// have a sample near it (nothing too much), from eyes all round, boxes
// straddling the window's sides, behind the eye and around it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "render/ViewProjection.h"

using Vell3D::Vector3;
using Vell3D::ViewProjection;
using Vell3D::ViewWindow;

namespace {

struct Frame {
    Vector3 eye, right, up, forward;
};

Vector3 along(const Vector3& p, const Vector3& d, double t)
{
    return Vector3(p.x + d.x * t, p.y + d.y * t, p.z + d.z * t);
}

double dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Tangent coordinates of the samples in front of the eye that land inside
// the window.
std::vector<std::pair<double, double>> seen(const Frame& f, const std::vector<Vector3>& samples,
                                            const ViewWindow& through)
{
    std::vector<std::pair<double, double>> out;
    for (const Vector3& p : samples) {
        const Vector3 d(p.x - f.eye.x, p.y - f.eye.y, p.z - f.eye.z);
        const double depth = dot(f.forward, d);
        if (depth <= 1e-9)
            continue;
        const double u = dot(f.right, d) / depth, v = dot(f.up, d) / depth;
        if (u >= through.left && u <= through.right && v >= through.bottom && v <= through.top)
            out.push_back({u, v});
    }
    return out;
}

// A failure names the case, so it can be drawn and looked at.
void expectOutline(const ViewWindow& answer, const std::vector<std::pair<double, double>>& points,
                   const ViewWindow& through, double near, int caseNumber)
{
    SCOPED_TRACE("case " + std::to_string(caseNumber));
    if (points.empty())
        return;    // too little may show to sample; an answer is allowed
    ASSERT_FALSE(answer.empty());
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    int outside = 0;
    for (const auto& [u, v] : points) {
        outside += u >= answer.left && u <= answer.right && v >= answer.bottom && v <= answer.top ? 0 : 1;
        left = std::min(left, u), right = std::max(right, u);
        bottom = std::min(bottom, v), top = std::max(top, v);
    }
    EXPECT_EQ(outside, 0) << "samples outside the answer, of " << points.size();
    EXPECT_LE(left - answer.left, near);
    EXPECT_LE(answer.right - right, near);
    EXPECT_LE(bottom - answer.bottom, near);
    EXPECT_LE(answer.top - top, near);
    EXPECT_TRUE(answer.left >= through.left && answer.right <= through.right && answer.bottom >= through.bottom &&
                answer.top <= through.top);
}

std::vector<Vector3> boxSurface(const double lo[3], const double hi[3], int n)
{
    std::vector<Vector3> out;
    for (int axis = 0; axis < 3; ++axis) {
        for (int side = 0; side < 2; ++side) {
            for (int i = 0; i <= n; ++i) {
                for (int j = 0; j <= n; ++j) {
                    double p[3];
                    p[axis] = side ? hi[axis] : lo[axis];
                    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
                    p[a] = lo[a] + (hi[a] - lo[a]) * i / n;
                    p[b] = lo[b] + (hi[b] - lo[b]) * j / n;
                    out.push_back(Vector3(p[0], p[1], p[2]));
                }
            }
        }
    }
    return out;
}

class Cases {
public:
    Frame frame()
    {
        const double yaw = angle(random), pitch = 0.6 * (unit(random) - 0.5);
        Frame f;
        f.eye = Vector3(position(random), position(random), 0.25 * position(random));
        f.forward = Vector3(std::cos(pitch) * std::cos(yaw), std::cos(pitch) * std::sin(yaw), std::sin(pitch));
        f.right = Vector3(std::sin(yaw), -std::cos(yaw), 0.0);
        f.up = Vector3(f.right.y * f.forward.z - f.right.z * f.forward.y,
                       f.right.z * f.forward.x - f.right.x * f.forward.z,
                       f.right.x * f.forward.y - f.right.y * f.forward.x);
        // A mirror's camera has its frame turned round.
        if (unit(random) < 0.3)
            f.right = Vector3(-f.right.x, -f.right.y, -f.right.z);
        return f;
    }

    ViewProjection projectionOf(const Frame& f) const
    {
        ViewProjection p;
        p.set(f.eye, along(f.eye, f.right, 1.0), along(f.eye, f.up, 1.0), along(f.eye, f.forward, -1.0));
        return p;
    }

    ViewWindow window()
    {
        const double l = -0.8 + 1.2 * unit(random), b = -0.6 + 0.9 * unit(random);
        return ViewWindow{l, l + (0.8 - l) * (0.2 + 0.8 * unit(random)), b, b + (0.6 - b) * (0.2 + 0.8 * unit(random))};
    }

    std::mt19937 random{180};
    std::uniform_real_distribution<> unit{0.0, 1.0};
    std::uniform_real_distribution<> angle{0.0, 6.283185307179586};
    std::uniform_real_distribution<> position{-3000.0, 3000.0};
};

} // namespace

TEST(ViewProjection, BoxesAndPiecesShowWhereSampledPointsDoAndNowhereElse)
{
    Cases cases;
    constexpr int samples = 48;
    for (int c = 0; c < 300; ++c) {
        const Frame f = cases.frame();
        const ViewProjection projection = cases.projectionOf(f);
        const ViewWindow through = cases.window();
        // A box somewhere ahead, beside or behind the eye; every tenth
        // holds the eye, and shows all round.
        const Vector3 centre = c % 10 == 0 ? f.eye : along(f.eye, f.forward, 900.0 + 1500.0 * cases.unit(cases.random));
        double lo[3], hi[3];
        const double eye[3] = {f.eye.x, f.eye.y, f.eye.z};
        const double at[3] = {centre.x + 1500.0 * (cases.unit(cases.random) - 0.5),
                              centre.y + 1500.0 * (cases.unit(cases.random) - 0.5),
                              centre.z + 600.0 * (cases.unit(cases.random) - 0.5)};
        for (int a = 0; a < 3; ++a) {
            const double half = (a == 2 ? 150.0 : 300.0) * (0.1 + cases.unit(cases.random));
            lo[a] = (c % 10 == 0 ? eye[a] : at[a]) - half;
            hi[a] = (c % 10 == 0 ? eye[a] : at[a]) + half;
        }
        const ViewWindow box = projection.coverBox(lo, hi, through);
        if (c % 10 == 0) {
            EXPECT_TRUE(box.covers(through)) << "case " << c << ": a box round the eye shows all round";
            continue;
        }
        expectOutline(box, seen(f, boxSurface(lo, hi, samples), through), through, 0.03, c);

        // A wall piece: an upright quad from the box's floor to its top
        // along one diagonal, corners in loop order.
        const Vector3 corners[4] = {Vector3(hi[0], hi[1], hi[2]), Vector3(lo[0], lo[1], hi[2]),
                                    Vector3(lo[0], lo[1], lo[2]), Vector3(hi[0], hi[1], lo[2])};
        std::vector<Vector3> piece;
        for (int i = 0; i <= 4 * samples; ++i) {
            for (int j = 0; j <= samples; ++j) {
                const double t = double(i) / (4 * samples), z = lo[2] + (hi[2] - lo[2]) * j / samples;
                piece.push_back(Vector3(lo[0] + (hi[0] - lo[0]) * t, lo[1] + (hi[1] - lo[1]) * t, z));
            }
        }
        expectOutline(projection.cover(corners, through), seen(f, piece, through), through, 0.03, c);
    }
}
