// The collision-checked move of a PlayerNode. Only the walls of the sectors
// the move passes through are tested, in the node's own frame: a solid wall
// cuts the move five units short of it, an opening crossed outward before
// any solid wall hands the move on to the sector behind it. Each opening is
// crossed at most once per move (with the wall behind it), so a move ends
// after at most one sector per wall, whatever the map's links look like.
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "world/PlayerNode.h"
#include "world/World.h"

namespace Vell3D {

namespace {

constexpr double wallGap = 5.0;   // how far before a solid wall a move stops

bool leadsSomewhere(const World& world, const WorldWall& wall)
{
    return wall.isOpening() && inRange(wall.nextSector, world.sectors.size());
}

} // namespace

bool PlayerNode::tracksSector() const
{
    return world && inRange(sector, world->sectors.size());
}

void PlayerNode::shift(double dx, double dy, double dz)
{
    applyLocal(Matrix4::translation(dx, dy, dz), Matrix4::translation(-dx, -dy, -dz));
}

void PlayerNode::move(double dx, double dy, double dz)
{
    if (!tracksSector()) {
        shift(dx, dy, dz);
        changed();
        return;
    }
    collide(dx, dy);
    followFloor();
    changed();
}

void PlayerNode::collide(double dx, double dy)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const Vector3 start(0.0, 0.0, 0.0);
    const Vector3 end(dx, dy, 0.0);
    const double length = std::hypot(dx, dy);
    const double back = length > 0.0 ? wallGap / length : infinity;
    const Matrix4& toLocal = inverse();
    const Vector3 heading = matrix().transformPoint(end).minus(matrix().transformPoint(start));
    std::vector<unsigned char> crossed(world->walls.size(), 0);
    // Where each opening was crossed and the sector left there, so that a
    // stop cut back over an opening returns to the sector before it.
    std::vector<std::pair<double, int>> entries;

    double nearest = infinity;
    for (;;) {
        const double winding = world->windingArea(sector);
        nearest = infinity;
        double furthest = -infinity;
        int crossingSector = -1;
        int crossingWall = -1;
        for (int w : world->sectors[std::size_t(sector)].walls) {
            if (!world->hasPoints(w))
                continue;
            const WorldWall& wall = world->walls[std::size_t(w)];
            Vector3 a = toLocal.transformPoint(world->wallStart(w).floorPoint());
            Vector3 b = toLocal.transformPoint(world->wallEnd(w).floorPoint());
            LineCrossing c = intersect(start, end, a, b);
            if (!(c.r >= 0.0 && c.r <= 1.0 && c.s >= 0.0 && c.s <= 1.0))
                continue;
            if (!leadsSomewhere(*world, wall)) {
                if (c.r <= nearest)
                    nearest = c.r;
            } else if (!crossed[std::size_t(w)] && c.r > furthest && world->headsOutOf(winding, w, heading)) {
                furthest = c.r;
                crossingSector = wall.nextSector;
                crossingWall = w;
            }
        }
        if (crossingSector < 0 || furthest >= nearest)
            break;
        crossed[std::size_t(crossingWall)] = 1;
        int behind = world->walls[std::size_t(crossingWall)].nextWall;
        if (inRange(behind, crossed.size()))
            crossed[std::size_t(behind)] = 1;
        entries.emplace_back(furthest, sector);
        sector = crossingSector;
    }

    Vector3 stop = end;
    if (nearest <= 1.0) {
        // Closer than five units to the wall the player stays where he is:
        // backing off would take him over walls the move never looked at.
        const double t = std::max(nearest - back, 0.0);
        stop = end.times(t);
        // Five units back from a wall just behind an opening is on the near
        // side of that opening: the player stands in the sector before it.
        while (!entries.empty() && t < entries.back().first) {
            sector = entries.back().second;
            entries.pop_back();
        }
    }
    shift(stop.x, stop.y, 0.0);
}

void PlayerNode::followFloor()
{
    const Vell3D::Plane& floor = world->sectors[std::size_t(sector)].floorPlane;
    if (floor.c == 0.0 || !std::isfinite(floor.c))
        return;
    Vector3 p = position();
    double floorZ = -(floor.a * p.x + floor.b * p.y + floor.d) / floor.c;
    double rise = floorOffset() + floorZ - p.z;
    if (!std::isfinite(rise))
        return;
    // A world-vertical step: the same as an own-frame one for a node turned
    // only about z, and still straight up for any other.
    applyGlobal(Matrix4::translation(0.0, 0.0, rise), Matrix4::translation(0.0, 0.0, -rise));
}

} // namespace Vell3D
