// The collision-checked move of a PlayerNode. Only the walls of the sectors
// the move passes through are tested, in the node's own frame: a solid wall
// cuts the move five units short of it, an opening crossed outward before
// any solid wall hands the move on to the sector behind it. Each opening is
// crossed at most once per move (with the wall behind it), so a move ends
// after at most one sector per wall, whatever the map's links look like.
#include <cmath>
#include <limits>
#include <vector>

#include "world/PlayerNode.h"
#include "world/World.h"

namespace Vell3D {

namespace {

constexpr double wallGap = 5.0;   // how far before a solid wall a move stops

// A move that starts on a wall's line meets it at parameter 0, but carrying
// the wall into the node's turned frame leaves that a hair either side of 0;
// a closed bound at 0 then misses an opening the move leaves through, and
// the player is tracked in a sector he is no longer in. So a wall met within
// this distance of the start counts as met at the start, whichever side of 0
// the rounding put it: it stops or passes the move only when the move heads
// out of the sector through it, never when it heads in. Moves that meet no
// wall that close to their start are untouched.
constexpr double startReach = 1e-6;

bool leadsSomewhere(const World& world, const WorldWall& wall)
{
    return wall.isOpening() && inRange(wall.nextSector, world.sectors.size());
}

// One move, in the node's own frame from (0, 0) to end, against the walls of
// one sector at a time.
class MoveScan {
public:
    MoveScan(const World& world, const Matrix4& toLocal, const Vector3& end, const Vector3& heading)
        : world(world), toLocal(toLocal), end(end), heading(heading),
          atStart(end.length() > 0.0 ? startReach / end.length() : 0.0)
    {
    }

    struct Result {
        double nearest = std::numeric_limits<double>::infinity();   // first solid wall
        double furthest = -std::numeric_limits<double>::infinity(); // last opening left through
        int crossingWall = -1;
    };

    // The walls of sector s that the segment from the start to the point at
    // parameter reach meets; openings in crossed are not taken again.
    Result scan(int s, double reach, const std::vector<unsigned char>& crossed) const
    {
        Result result;
        const Vector3 start(0.0, 0.0, 0.0);
        const Vector3 stop = end.times(reach);
        const double winding = world.windingArea(s);
        const double near = atStart / std::fabs(reach);
        const Vector3 way = reach < 0.0 ? heading.times(-1.0) : heading;
        for (int w : world.sectors[std::size_t(s)].walls) {
            if (!world.hasPoints(w))
                continue;
            const WorldWall& wall = world.walls[std::size_t(w)];
            Vector3 a = toLocal.transformPoint(world.wallStart(w).floorPoint());
            Vector3 b = toLocal.transformPoint(world.wallEnd(w).floorPoint());
            LineCrossing c = intersect(start, stop, a, b);
            if (!(c.r >= -near && c.r <= 1.0 && c.s >= 0.0 && c.s <= 1.0))
                continue;
            if (c.r <= near && !world.headsOutOf(winding, w, way))
                continue;
            double t = c.r * reach;
            if (!leadsSomewhere(world, wall)) {
                result.nearest = std::min(result.nearest, t);
            } else if (!crossed[std::size_t(w)] && t > result.furthest && world.headsOutOf(winding, w, way)) {
                result.furthest = t;
                result.crossingWall = w;
            }
        }
        return result;
    }

    // Whether the stretch from the start back to parameter reach (below 0)
    // leaves sector s through any of its walls.
    bool leavesBackwards(int s, double reach) const
    {
        Result result = scan(s, reach, std::vector<unsigned char>(world.walls.size(), 0));
        return std::isfinite(result.nearest) || result.crossingWall >= 0;
    }

private:
    const World& world;
    const Matrix4& toLocal;
    const Vector3 end;
    const Vector3 heading;
    const double atStart;
};

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

// After the walk through the sectors, the stop five units short of a solid
// wall can lie behind where the move came in, and even behind its start. The
// player must end in the sector he is tracked in: a stop before the opening
// through which a sector was entered hands him back to the sector before,
// and a stop behind the start that would take him through a wall of his own
// sector leaves him where he stood.
void PlayerNode::collide(double dx, double dy)
{
    const Vector3 end(dx, dy, 0.0);
    const double length = std::hypot(dx, dy);
    const Vector3 heading =
        matrix().transformPoint(end).minus(matrix().transformPoint(Vector3(0.0, 0.0, 0.0)));
    const MoveScan moving(*world, inverse(), end, heading);
    std::vector<unsigned char> crossed(world->walls.size(), 0);
    std::vector<std::pair<int, double>> entered{{sector, -std::numeric_limits<double>::infinity()}};

    MoveScan::Result found;
    for (;;) {
        found = moving.scan(sector, 1.0, crossed);
        if (found.crossingWall < 0 || found.furthest >= found.nearest)
            break;
        crossed[std::size_t(found.crossingWall)] = 1;
        const WorldWall& wall = world->walls[std::size_t(found.crossingWall)];
        if (inRange(wall.nextWall, crossed.size()))
            crossed[std::size_t(wall.nextWall)] = 1;
        sector = wall.nextSector;
        entered.push_back({sector, found.furthest});
    }

    double stopAt = 1.0;
    if (found.nearest <= 1.0)
        stopAt = length > 0.0 ? found.nearest - wallGap / length : 0.0;
    while (entered.size() > 1 && entered.back().second > stopAt)
        entered.pop_back();
    sector = entered.back().first;
    if (stopAt < 0.0 && moving.leavesBackwards(sector, stopAt))
        stopAt = 0.0;
    shift(dx * stopAt, dy * stopAt, 0.0);
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
