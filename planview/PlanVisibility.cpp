// The visible area of the plan view's player: each view window, as a working
// list of far edges, is clipped against the walls of the sectors met through
// the chain of openings, breadth first from the player's sector. A wall
// counts only when the player stands on its inner side, and only where it
// stands in front of a segment: there the segment is cut back to the wall
// (solid) or the sector behind it is queued (opening).
//
// All of it happens in the player's frame, with the origin O at the player.
#include <cmath>
#include <limits>
#include <utility>

#include "planview/PlanPlayerNode.h"
#include "world/World.h"

namespace Vell3D {

namespace {

const double infinity = std::numeric_limits<double>::infinity();
constexpr double minimumCover = 0.001;   // of a segment: smaller covers cut nothing
constexpr double endSlack = 0.01;        // a cover this close to an end takes the end too
const Vector3 origin(0.0, 0.0, 0.0);

bool between(double v)
{
    return v > 0.0 && v < 1.0;
}

bool within(double v)
{
    return v >= 0.0 && v <= 1.0;
}

Vector3 pointAt(const Segment& s, double t)
{
    return Vector3(s.a.x + (s.b.x - s.a.x) * t, s.a.y + (s.b.y - s.a.y) * t, 0.0);
}

// Where the ray from O through p meets the wall's line, or p itself when the
// line is not met between O and p.
Vector3 onWall(const Vector3& p, double s)
{
    double t = (s > 0.0 && s < 1.0) ? s : 1.0;
    return Vector3(p.x * t, p.y * t, 0.0);
}

// The part [lo, hi] of a segment (as parameters along a->b) that a wall hides
// from O, with the wall's points w0 and w1 seen at lo and hi; lo or hi is
// infinite where the wall reaches behind the player. s1 and s2 are where the
// rays to the segment's ends meet the wall's line.
struct Cover {
    double lo = 0.0;
    double hi = 0.0;
    Vector3 w0;
    Vector3 w1;
    double s1 = 0.0;
    double s2 = 0.0;
};

// Whether the wall E->S stands in front of the segment; fills cover.
bool coverOf(const Segment& seg, const Vector3& e, const Vector3& s, Cover& cover)
{
    const double s1 = intersect(origin, seg.a, e, s).r;
    const double s2 = intersect(origin, seg.b, e, s).r;
    const double s3 = intersect(seg.a, seg.b, e, s).r;
    if (!between(s1) && !between(s2) && !between(s3))
        return false;

    const Vector3 direction(seg.b.x - seg.a.x, seg.b.y - seg.a.y, 0.0);
    Vector3 w[2] = {e, s};
    double r[2], p[2];
    for (int i = 0; i < 2; ++i) {
        LineCrossing c = intersect(origin, w[i], seg.a, seg.b);
        r[i] = c.r;
        p[i] = c.s;
        // The ray to the corner runs along the segment's line: the corner is
        // seen at that end of the line, nearer than the line.
        if (!std::isfinite(c.r)) {
            r[i] = infinity;
            p[i] = w[i].x * direction.x + w[i].y * direction.y > 0.0 ? infinity : -infinity;
        }
    }
    if (!(r[0] > 0.0 || r[1] > 0.0))
        return false;
    if (within(r[0]) && within(r[1]))
        return false;   // the whole wall lies beyond the segment

    const int behind = r[0] < 0.0 ? 0 : (r[1] < 0.0 ? 1 : -1);
    if (behind >= 0) {
        const double s6 = intersect(origin, direction, e, s).r;
        if (!std::isfinite(s6))
            return false;
        p[behind] = s6 > 0.0 ? infinity : -infinity;
        r[behind] = 1.0;
    }
    const int beyond = between(r[0]) ? 0 : (between(r[1]) ? 1 : -1);
    if (beyond >= 0) {
        if (!std::isfinite(s3))
            return false;
        w[beyond] = pointAt(seg, s3);
        p[beyond] = s3;
    }
    if (std::isnan(p[0]) || std::isnan(p[1]))
        return false;
    if (p[0] > p[1]) {
        std::swap(p[0], p[1]);
        std::swap(w[0], w[1]);
    }
    cover = {p[0], p[1], w[0], w[1], s1, s2};
    return true;
}

bool tiny(const Segment& s)
{
    return std::fabs(s.b.x - s.a.x) + std::fabs(s.b.y - s.a.y) < 1e-9;
}

} // namespace

void PlanPlayerNode::updateVisibility()
{
    visibleSegments.clear();
    visibleSectors.clear();
    if (!tracksSector()) {
        // Nowhere to start the walk: the windows themselves.
        visibleSegments = viewWindows;
        return;
    }
    const std::size_t sectorCount = world->sectors.size();
    reached.assign(sectorCount, 0);
    queued.assign(sectorCount, 0);
    for (const Segment& window : viewWindows)
        clipWindow(window);
}

void PlanPlayerNode::queueSector(int s)
{
    if (!inRange(s, queued.size()) || queued[std::size_t(s)])
        return;
    queued[std::size_t(s)] = 1;
    sectorQueue.push_back(s);
    if (!reached[std::size_t(s)]) {
        reached[std::size_t(s)] = 1;
        visibleSectors.push_back(s);
    }
}

void PlanPlayerNode::clipWindow(const Segment& window)
{
    std::fill(queued.begin(), queued.end(), 0);
    sectorQueue.clear();
    queueSector(sector);
    std::vector<Segment> working{window};
    while (!sectorQueue.empty()) {
        int s = sectorQueue.front();
        sectorQueue.pop_front();
        for (int w : world->sectors[std::size_t(s)].walls)
            clipAgainstWall(working, w);
    }
    visibleSegments.insert(visibleSegments.end(), working.begin(), working.end());
}

void PlanPlayerNode::clipAgainstWall(std::vector<Segment>& working, int w)
{
    if (!world->hasPoints(w))
        return;
    const WorldWall& wall = world->walls[std::size_t(w)];
    const Vector3 e = fromParent(world->points[std::size_t(wall.nextPoint)].floorPoint());
    const Vector3 s = fromParent(world->points[std::size_t(wall.index)].floorPoint());
    // A wall of no length hides nothing; a wall whose line passes through
    // the player is seen edge on.
    if (std::hypot(s.x - e.x, s.y - e.y) < 1e-9 || side(e, s, origin) != -1)
        return;

    for (std::size_t i = 0; i < working.size(); ++i) {
        const Segment seg = working[i];
        Cover c;
        if (tiny(seg) || !coverOf(seg, e, s, c))
            continue;
        if (!(c.hi > 0.0 && c.lo < 1.0 && c.hi - c.lo >= minimumCover))
            continue;
        if (wall.isOpening()) {
            queueSector(wall.nextSector);
            continue;
        }
        const Vector3 a = onWall(seg.a, c.s1);
        const Vector3 b = onWall(seg.b, c.s2);
        const bool startCovered = c.lo <= endSlack;
        const bool endCovered = c.hi >= 1.0 - endSlack;
        if (startCovered && endCovered) {
            working[i] = {a, b};
        } else if (startCovered) {
            working[i] = {pointAt(seg, c.hi), seg.b};
            working.insert(working.begin() + std::ptrdiff_t(i), Segment{a, c.w1});
            i += 1;
        } else if (endCovered) {
            working[i] = {c.w0, b};
            working.insert(working.begin() + std::ptrdiff_t(i), Segment{seg.a, pointAt(seg, c.lo)});
            i += 1;
        } else {
            working[i] = {pointAt(seg, c.hi), seg.b};
            working.insert(working.begin() + std::ptrdiff_t(i), {Segment{seg.a, pointAt(seg, c.lo)}, Segment{c.w0, c.w1}});
            i += 2;
        }
    }
}

} // namespace Vell3D
