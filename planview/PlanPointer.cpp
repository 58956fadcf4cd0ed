#include "planview/PlanPointer.h"

#include <cmath>
#include <limits>

#include "3d/Camera.h"
#include "world/PlayerNode.h"
#include "world/World.h"

namespace Vell3D {

namespace {

// Distance from p to the segment a-b, all in pixels.
double toSegment(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0.0;
    t = std::fmax(0.0, std::fmin(1.0, t));
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

} // namespace

PlanPointer::PlanPointer(const Camera& camera, const PlayerNode& player, const World& world, const Vell::Size& view)
    : camera(camera), player(player), world(world), view(view)
{
}

// World points reach the camera's frame through the player's frame, as the
// map node below the player draws them; the frustum's sides are the
// camera's pixel scales at its near distance.
bool PlanPointer::toView(const Vector3& point, double& x, double& y) const
{
    const Vector3 c = camera.fromParent(player.fromParent(point));
    if (!(-c.z > 0.0))
        return false;
    x = view.width / 2.0 + camera.near() * c.x / -c.z / camera.xScale();
    y = view.height / 2.0 - camera.near() * c.y / -c.z / camera.yScale();
    return true;
}

void PlanPointer::rayThrough(double x, double y, Vector3& from, Vector3& to) const
{
    const double reach = camera.far() / camera.near();
    const Vector3 direction((x - view.width / 2.0) * camera.xScale(), (view.height / 2.0 - y) * camera.yScale(),
                            -camera.near());
    from = player.toParent(camera.toParent(Vector3(0.0, 0.0, 0.0)));
    to = player.toParent(camera.toParent(direction.times(reach)));
}

int PlanPointer::sectorAt(double x, double y, Vector3* floor) const
{
    Vector3 from, to;
    rayThrough(x, y, from, to);
    int nearest = -1;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t s = 0; s < world.sectors.size(); ++s) {
        const double t = world.sectors[s].floorPlane.intersect(from, to);
        if (!(t >= 0.0 && t <= 1.0) || t >= best)
            continue;
        const Vector3 p = from.plus(to.minus(from).times(t));
        if (!world.holds(int(s), p.x, p.y))
            continue;
        best = t;
        nearest = int(s);
        if (floor)
            *floor = p;
    }
    return nearest;
}

int PlanPointer::wallNear(double x, double y, double maxPixels, int preferred) const
{
    // Closer than this counts as the same distance.
    constexpr double sameLine = 0.25;
    int nearest = -1;
    double best = maxPixels;
    for (std::size_t w = 0; w < world.walls.size(); ++w) {
        double ax, ay, bx, by;
        if (!world.hasPoints(int(w)) || !toView(world.wallStart(int(w)).floorPoint(), ax, ay) ||
            !toView(world.wallEnd(int(w)).floorPoint(), bx, by))
            continue;
        const double d = toSegment(x, y, ax, ay, bx, by);
        if (d > maxPixels)
            continue;
        const bool closer = nearest < 0 || d < best - sameLine;
        const bool sameButPreferred = std::fabs(d - best) <= sameLine && world.walls[w].sector == preferred &&
                                      world.walls[std::size_t(nearest)].sector != preferred;
        if (closer || sameButPreferred) {
            nearest = int(w);
            best = d;
        }
    }
    return nearest;
}

} // namespace Vell3D
