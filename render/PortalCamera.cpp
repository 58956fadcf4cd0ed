#include "render/PortalCamera.h"

#include <GL/gl.h>

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

Vector3 PortalCamera::toWorld(const Vector3& local) const
{
    Vector3 p = toParent(local);
    for (const Node* n = parent(); n; n = n->parent())
        p = n->toParent(p);
    return p;
}

void PortalCamera::takeEye()
{
    eye_ = toWorld(Vector3(0.0, 0.0, 0.0));
}

void PortalCamera::takeNearWindow()
{
    const double z = -near();
    window[leftBottom] = toWorld(Vector3(left(), bottom(), z));
    window[leftTop] = toWorld(Vector3(left(), top(), z));
    window[rightTop] = toWorld(Vector3(right(), top(), z));
    window[rightBottom] = toWorld(Vector3(right(), bottom(), z));
}

// Oriented so that the inside of the frustum classifies +1; a mirrored
// camera sees the world turned inside out, so every plane turns round.
void PortalCamera::buildPlanes()
{
    const Vector3& lb = window[leftBottom];
    const Vector3& lt = window[leftTop];
    const Vector3& rt = window[rightTop];
    const Vector3& rb = window[rightBottom];
    if (!mirrored) {
        planes[0] = Plane(eye_, lb, lt);
        planes[1] = Plane(eye_, rt, rb);
        planes[2] = Plane(eye_, lt, rt);
        planes[3] = Plane(eye_, rb, lb);
        planes[4] = Plane(lb, lt, rt);
    } else {
        planes[0] = Plane(eye_, lt, lb);
        planes[1] = Plane(eye_, rb, rt);
        planes[2] = Plane(eye_, rt, lt);
        planes[3] = Plane(eye_, lb, rb);
        planes[4] = Plane(lb, rt, lt);
    }
}

void PortalCamera::updateVisibility()
{
    takeEye();
    takeNearWindow();
    buildPlanes();
    walkedFor = currentKey();
    walk(source ? source->sector : -1);
}

void PortalCamera::updateMirrorVisibility(const Vector3 mirrorCorners[4], int startSector)
{
    takeEye();
    window[leftTop] = mirrorCorners[1];
    window[leftBottom] = mirrorCorners[2];
    window[rightTop] = mirrorCorners[0];
    window[rightBottom] = mirrorCorners[3];
    buildPlanes();
    walk(startSector);
}

bool PortalCamera::sees(const WallPiece& opening) const
{
    const Vector3* c = opening.corners;
    // Eye strictly left of the directed edge c0 -> c1 (end to start); within
    // half a unit of the line counts as edge-on.
    double s = (c[1].x - c[0].x) * (eye_.y - c[0].y) - (c[1].y - c[0].y) * (eye_.x - c[0].x);
    if (!(s > 0.5))
        return false;
    for (int i = 0; i < 4; ++i) {
        const Plane& p = planes[i];
        if (p.classify(c[0]) == -1 && p.classify(c[1]) == -1 && p.classify(c[2]) == -1 &&
            p.classify(c[3]) == -1)
            return false;
    }
    return true;
}

bool PortalCamera::passable(const World& world, const WorldWall& wall) const
{
    int next = wall.nextSector;
    if (!inRange(next, world.sectors.size()) || visited[std::size_t(next)])
        return false;
    const WallPiece& middle = wall.middle;
    if (middle.flags & (pieceSolid | pieceMirror))
        return false;
    return middle.hasHeight() && sees(middle);
}

// A camera outside every sector has nowhere to start; it is shown the
// whole map rather than nothing, so a user who strayed out still sees it.
void PortalCamera::walkAll(const World& world)
{
    for (std::size_t s = 0; s < world.sectors.size(); ++s)
        visible.push_back(int(s));
}

// Depth first, each sector entered through the first opening met; kept on
// an explicit stack so that a long chain of sectors cannot exhaust the
// call stack.
void PortalCamera::walk(int startSector)
{
    visible.clear();
    visible.reserve(visibleReserve);
    const World* world = source ? source->world : nullptr;
    if (!world)
        return;
    if (!inRange(startSector, world->sectors.size())) {
        walkAll(*world);
        return;
    }
    visited.assign(world->sectors.size(), 0);
    stack.clear();
    auto visit = [&](int s) {
        visited[std::size_t(s)] = 1;
        visible.push_back(s);
        stack.emplace_back(s, 0);
    };
    visit(startSector);
    while (!stack.empty()) {
        auto& [s, next] = stack.back();
        const std::vector<int>& walls = world->sectors[std::size_t(s)].walls;
        if (next >= walls.size()) {
            stack.pop_back();
            continue;
        }
        int w = walls[next++];
        if (!inRange(w, world->walls.size()))
            continue;
        const WorldWall& wall = world->walls[std::size_t(w)];
        if (passable(*world, wall))
            visit(wall.nextSector);
    }
}

} // namespace Vell3D
