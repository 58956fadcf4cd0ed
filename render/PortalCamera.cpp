#include "render/PortalCamera.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "render/Renderer.h"

namespace Vell3D {

PortalCamera::PortalCamera(Node* parent) : Camera(parent)
{
    visible.reserve(visibleReserve);
}

void PortalCamera::draw()
{
    glMultMatrixd(pitch().data());
    if (renderer)
        renderer->drawAimHook();
}

void PortalCamera::prepareClear()
{
    glStencilMask(0xFFFF);
    glClearStencil(0);
}

PortalCamera::FrustumKey PortalCamera::currentKey() const
{
    return FrustumKey{left(), right(), bottom(), top(), near()};
}

void PortalCamera::render()
{
    // The view sets the frustum's sides just before it renders, so this is
    // where a new viewport (or a reset camera) first meets its frustum.
    if (!mirrored && currentKey() != walkedFor)
        updateVisibility();
    Camera::render();
}

void PortalCamera::setNear(double value)
{
    bool differs = value != near();
    Camera::setNear(value);
    if (differs)
        changed();
}

void PortalCamera::changed()
{
    if (!mirrored)
        updateVisibility();
}

// The eye and the world offsets of the camera's unit axes: its frame is
// affine, so every other point of it follows from these four, which saves
// composing the node chain again for each.
void PortalCamera::takeFrame()
{
    // Up the node chain as toParent carries points, with the camera's own
    // step (pitch included) composed once for all four.
    const Matrix4 own = matrix() * pitch();
    Vector3 points[4] = {own.transformPoint(Vector3(0.0, 0.0, 0.0)), own.transformPoint(Vector3(1.0, 0.0, 0.0)),
                         own.transformPoint(Vector3(0.0, 1.0, 0.0)), own.transformPoint(Vector3(0.0, 0.0, 1.0))};
    for (const Node* n = parent(); n; n = n->parent()) {
        for (Vector3& p : points)
            p = n->toParent(p);
    }
    eye_ = points[0];
    const Vector3* ends = points + 1;
    for (int i = 0; i < 3; ++i)
        axes[i] = Vector3(ends[i].x - eye_.x, ends[i].y - eye_.y, ends[i].z - eye_.z);
    projection.set(eye_, ends[0], ends[1], ends[2]);
}

Vector3 PortalCamera::frameToWorld(double x, double y, double z) const
{
    return Vector3(eye_.x + x * axes[0].x + y * axes[1].x + z * axes[2].x,
                   eye_.y + x * axes[0].y + y * axes[1].y + z * axes[2].y,
                   eye_.z + x * axes[0].z + y * axes[1].z + z * axes[2].z);
}

void PortalCamera::takeNearWindow()
{
    const double z = -near();
    window[leftBottom] = frameToWorld(left(), bottom(), z);
    window[leftTop] = frameToWorld(left(), top(), z);
    window[rightTop] = frameToWorld(right(), top(), z);
    window[rightBottom] = frameToWorld(right(), bottom(), z);
}

namespace {

// The plane of three points as Plane(p0, p1, p2) makes it, in plain
// arithmetic: a walk is cheap enough that the vector class's calls show.
Plane planeThrough(const Vector3& p0, const Vector3& p1, const Vector3& p2)
{
    const double ax = p1.x - p0.x, ay = p1.y - p0.y, az = p1.z - p0.z;
    const double bx = p2.x - p0.x, by = p2.y - p0.y, bz = p2.z - p0.z;
    const double a = ay * bz - az * by, b = az * bx - ax * bz, c = ax * by - ay * bx;
    return Plane(a, b, c, -(a * p0.x + b * p0.y + c * p0.z));
}

} // namespace

// Oriented so that the inside of the frustum classifies +1; a mirrored
// camera sees the world turned inside out, so every plane turns round.
void PortalCamera::buildPlanes()
{
    const Vector3& lb = window[leftBottom];
    const Vector3& lt = window[leftTop];
    const Vector3& rt = window[rightTop];
    const Vector3& rb = window[rightBottom];
    if (!mirrored) {
        planes[0] = planeThrough(eye_, lb, lt);
        planes[1] = planeThrough(eye_, rt, rb);
        planes[2] = planeThrough(eye_, lt, rt);
        planes[3] = planeThrough(eye_, rb, lb);
        planes[4] = planeThrough(lb, lt, rt);
    } else {
        planes[0] = planeThrough(eye_, lt, lb);
        planes[1] = planeThrough(eye_, rb, rt);
        planes[2] = planeThrough(eye_, rt, lt);
        planes[3] = planeThrough(eye_, lb, rb);
        planes[4] = planeThrough(lb, rt, lt);
    }
}

void PortalCamera::updateVisibility()
{
    takeFrame();
    takeNearWindow();
    buildPlanes();
    walkedFor = currentKey();
    const double n = near();
    viewWindow = ViewWindow{left() / n, right() / n, bottom() / n, top() / n};
    narrowWalk = narrowing && n > 0.0 && !viewWindow.empty();
    walk(source ? source->sector : -1, viewWindow);
}

void PortalCamera::updateMirrorVisibility(const Vector3 mirrorCorners[4], int startSector,
                                          const ViewWindow& through)
{
    takeFrame();
    window[leftTop] = mirrorCorners[1];
    window[leftBottom] = mirrorCorners[2];
    window[rightTop] = mirrorCorners[0];
    window[rightBottom] = mirrorCorners[3];
    buildPlanes();
    viewWindow = through;
    narrowWalk = narrowing;
    walk(startSector, through);
}

// An eye above its own sector's ceiling (or below its floor) sees past it
// from the start, as through a sky.
bool PortalCamera::eyeAboveCeiling(const World& world, int sector) const
{
    return eye_.z > world.sectors[std::size_t(sector)].ceilingZAt(eye_.x, eye_.y) - 1.0;
}

bool PortalCamera::eyeBelowFloor(const World& world, int sector) const
{
    return eye_.z < world.sectors[std::size_t(sector)].floorZAt(eye_.x, eye_.y) + 1.0;
}

bool PortalCamera::sees(const WallPiece& opening) const
{
    const Vector3* c = opening.corners;
    // Eye strictly left of the directed edge c0 -> c1 (end to start); within
    // half a unit of the line counts as edge-on.
    double s = (c[1].x - c[0].x) * (eye_.y - c[0].y) - (c[1].y - c[0].y) * (eye_.x - c[0].x);
    if (!(s > 0.5))
        return false;
    // Rejected when all four corners lie outside one side (classify -1).
    for (int i = 0; i < 4; ++i) {
        const Plane& p = planes[i];
        if (p.value(c[0]) <= -0.5 && p.value(c[1]) <= -0.5 && p.value(c[2]) <= -0.5 && p.value(c[3]) <= -0.5)
            return false;
    }
    return true;
}

bool PortalCamera::standsOn(const World& world, const WorldWall& wall) const
{
    // A hundredth of a unit: rounding of a position walked or placed onto
    // the line, never a step a user could see.
    constexpr double rounding = 0.01;
    if (!inRange(wall.index, world.points.size()) || !inRange(wall.nextPoint, world.points.size()))
        return false;
    const WallPoint& a = world.points[std::size_t(wall.index)];
    const WallPoint& b = world.points[std::size_t(wall.nextPoint)];
    if (eye_.x < std::min(a.x, b.x) - 1.0 || eye_.x > std::max(a.x, b.x) + 1.0 ||
        eye_.y < std::min(a.y, b.y) - 1.0 || eye_.y > std::max(a.y, b.y) + 1.0)
        return false;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double ex = eye_.x - a.x, ey = eye_.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0.0 ? (ex * dx + ey * dy) / length2 : 0.0;
    const double along = std::clamp(t, 0.0, 1.0);
    const double offX = ex - along * dx, offY = ey - along * dy;
    if (offX * offX + offY * offY <= rounding * rounding)
        return true;
    // Within the facing test's band of the line (it measures the same
    // product for the piece over the wall, end to start), between the ends.
    return std::fabs(dx * ey - dy * ex) <= 0.5 && t >= 0.0 && t <= 1.0;
}

ViewWindow PortalCamera::windowOf(int sector) const
{
    return listed(sector) ? reached[std::size_t(sector)].bounds() : viewWindow;
}

ViewWindow PortalCamera::windowThrough(const WallPiece& piece, int sector) const
{
    const ViewWindow through = windowOf(sector);
    if (!narrowWalk)
        return through;
    return projection.cover(piece.corners, through);
}

} // namespace Vell3D
