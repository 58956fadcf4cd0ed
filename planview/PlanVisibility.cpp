// The visible area of the plan view's player: each view window, as a working
// list of far edges, is clipped against the walls of the sectors met through
// the chain of openings, breadth first from the player's sector. A wall
// counts only when the player stands on its inner side, and only where it
// stands in front of a segment: there the segment is cut back to the wall
// (solid) or the sector behind it is queued (opening).
//
// All of it happens in the player's frame, with the origin O at the player.
//
// The fan must never show through a solid wall. Two places let it:
//   - a wall that hides less than a thousandth of a long segment is passed
//     over (cutting for every rounding-sized cover would only litter the
//     list), and once another wall has split that segment the first is not
//     met again, so a sliver reaches past it; a nearly edge-on wall ahead or
//     beside the player is the usual case. The walls passed over are met
//     once more after the queue runs dry, and whatever they still clearly
//     hide is cut then. A fan that nothing leaks through is left as it was.
//   - a player standing exactly on an opening's line sees it edge on, and
//     the sector on its other side would never be queued.
// Nor may it stop short of what is in view: a cut takes what the wall
// hides and no more, except slivers under endSlack (in units, see there) at
// a segment's ends, in both passes alike.
// The working list grows by at most two segments per wall met, and only
// where the wall hides part of a segment, so it stays bounded by the walls
// of the sectors reached.
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "planview/PlanPlayerNode.h"
#include "world/World.h"

namespace Vell3D {

namespace {

const double infinity = std::numeric_limits<double>::infinity();
constexpr double minimumCover = 0.001;   // of a segment: smaller covers wait for the second pass
constexpr double hairCover = 1e-9;       // covers below this are rounding, never cut
constexpr double minimumAngle = 1e-7;    // radians: what the second pass
constexpr double minimumDepth = 0.5;     // and units: may still cut
// Units at the segment, the fan's far edge: a cover that leaves less than
// this of an end uncovered takes that end too. A sixteenth of the map's own
// unit (positions are whole units) and under a pixel even with the camera
// down at its near plane (a tenth of a unit to the pixel), so nothing that
// can be seen is lost; yet far above the rounding of the frame change and
// of earlier cuts, so a wall that meets its neighbour's corner takes the
// end that corner left, and the list does not fill with hairs. A fraction
// of the segment would not do: the windows are 40000 and 4000 units wide,
// and a hundredth of them hid wedges tens of units wide that were in view.
constexpr double endSlack = 1.0 / 16.0;
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

// Whether a cover takes the end of a segment of the given length where it
// leaves uncovered this much of it (as a parameter; none when <= 0).
bool takesEnd(double uncovered, double length)
{
    return uncovered <= 0.0 || uncovered * length < endSlack;
}

// Where an end p of the segment that a cover takes goes: where the ray from
// O through p meets the wall's line (at s along the ray). A wall seen nearly
// edge on meets that ray only far behind or beyond p; when it also leaves a
// sliver beside p uncovered, the end goes to w, the cover's end on the wall,
// and not across the wall's shadow to p. When the wall covers p, it meets
// the segment's line at p, and p stays.
Vector3 endOnWall(const Vector3& p, double s, double uncovered, const Vector3& w)
{
    if (s > 0.0 && s < 1.0)
        return Vector3(p.x * s, p.y * s, 0.0);
    return uncovered > 0.0 ? w : p;
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

// Whether the part of the segment that the wall covers lies clearly beyond
// the wall: wider than a hair's angle seen from O and, at one of its ends,
// more than half a unit past the wall along the ray from O. Rounding at
// shared corners and segments lying on the wall itself are not. Along the
// ray, because a row of walls seen nearly edge on stands close to the
// segment's line, yet far in front of it where the rays meet it.
bool clearlyHidden(const Segment& seg, const Cover& c, const Vector3& e, const Vector3& s)
{
    const Vector3 p = pointAt(seg, std::max(c.lo, 0.0));
    const Vector3 q = pointAt(seg, std::min(c.hi, 1.0));
    const double angle = std::atan2(std::fabs(p.x * q.y - p.y * q.x), p.x * q.x + p.y * q.y);
    if (angle < minimumAngle)
        return false;
    auto past = [&](const Vector3& v) {
        const double t = intersect(origin, v, e, s).r;
        return std::isfinite(t) && t > 0.0 ? (1.0 - t) * std::hypot(v.x, v.y) : 0.0;
    };
    return std::max(past(p), past(q)) > minimumDepth;
}

// Whether O, on the line of the wall E->S, lies between its ends.
bool standsIn(const Vector3& e, const Vector3& s, double length)
{
    const double along = ((0.0 - e.x) * (s.x - e.x) + (0.0 - e.y) * (s.y - e.y)) / (length * length);
    return along >= 0.0 && along <= 1.0;
}

// Whether the wall E-S lies wholly on the far side of one of the lines
// through O and the segment's ends, so that it cannot hide any of it. Cheap,
// and true for most walls of a large map.
bool outsideWedge(const Segment& seg, const Vector3& e, const Vector3& s)
{
    const double turn = seg.a.x * seg.b.y - seg.a.y * seg.b.x;
    const double sign = turn > 0.0 ? 1.0 : -1.0;
    auto cross = [](const Vector3& p, const Vector3& q) { return p.x * q.y - p.y * q.x; };
    if (sign * cross(seg.a, e) < 0.0 && sign * cross(seg.a, s) < 0.0)
        return true;
    return sign * cross(seg.b, e) > 0.0 && sign * cross(seg.b, s) > 0.0;
}

bool tiny(const Segment& s)
{
    return std::fabs(s.b.x - s.a.x) + std::fabs(s.b.y - s.a.y) < 1e-9;
}

// Cuts segment i back to the wall where the cover says; returns how many
// segments were inserted before it (they are not looked at again for this
// wall). What the wall leaves uncovered stays as it was, except slivers
// under endSlack at the segment's ends.
std::size_t cut(std::vector<Segment>& working, std::size_t i, const Cover& c)
{
    const Segment seg = working[i];
    const double length = std::hypot(seg.b.x - seg.a.x, seg.b.y - seg.a.y);
    const bool startCovered = takesEnd(c.lo, length);
    const bool endCovered = takesEnd(1.0 - c.hi, length);
    const Vector3 a = endOnWall(seg.a, c.s1, c.lo, c.w0);
    const Vector3 b = endOnWall(seg.b, c.s2, 1.0 - c.hi, c.w1);
    const auto at = working.begin() + std::ptrdiff_t(i);
    if (startCovered && endCovered) {
        working[i] = {a, b};
        return 0;
    }
    if (startCovered) {
        working[i] = {pointAt(seg, c.hi), seg.b};
        working.insert(at, Segment{a, c.w1});
        return 1;
    }
    if (endCovered) {
        working[i] = {c.w0, b};
        working.insert(at, Segment{seg.a, pointAt(seg, c.lo)});
        return 1;
    }
    working[i] = {pointAt(seg, c.hi), seg.b};
    working.insert(at, {Segment{seg.a, pointAt(seg, c.lo)}, Segment{c.w0, c.w1}});
    return 2;
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
    std::vector<int> passedOver;   // walls with covers too small for the first pass
    std::size_t secondPassDone = 0;
    for (;;) {
        while (!sectorQueue.empty()) {
            int s = sectorQueue.front();
            sectorQueue.pop_front();
            for (int w : world->sectors[std::size_t(s)].walls)
                if (clipAgainstWall(working, w, false))
                    passedOver.push_back(w);
        }
        if (!mendSmallCovers || secondPassDone == passedOver.size())
            break;
        // A wall too small against a long segment is passed over, and once
        // another wall has split that segment it is not met again: the
        // fan then reaches past it in a sliver. So those walls are met once
        // more; what they still hide is cut now, however small, and the
        // openings found so bring their sectors in.
        std::size_t upTo = passedOver.size();
        for (; secondPassDone < upTo; ++secondPassDone)
            clipAgainstWall(working, passedOver[secondPassDone], true);
    }
    visibleSegments.insert(visibleSegments.end(), working.begin(), working.end());
}

bool PlanPlayerNode::clipAgainstWall(std::vector<Segment>& working, int w, bool smallCovers)
{
    if (!world->hasPoints(w))
        return false;
    const WorldWall& wall = world->walls[std::size_t(w)];
    const Vector3 e = fromParent(world->points[std::size_t(wall.nextPoint)].floorPoint());
    const Vector3 s = fromParent(world->points[std::size_t(wall.index)].floorPoint());
    // A wall of no length hides nothing; a wall whose line passes through
    // the player is seen edge on and hides nothing either, but a player
    // standing in an opening sees into the sector on its other side.
    const double length = std::hypot(s.x - e.x, s.y - e.y);
    if (length < 1e-9)
        return false;
    const int facing = side(e, s, origin);
    if (facing == 0 && wall.isOpening() && standsIn(e, s, length))
        queueSector(wall.nextSector);
    if (facing != -1)
        return false;

    bool passedOver = false;
    for (std::size_t i = 0; i < working.size(); ++i) {
        const Segment seg = working[i];
        Cover c;
        if (tiny(seg) || outsideWedge(seg, e, s) || !coverOf(seg, e, s, c))
            continue;
        if (!(c.hi > 0.0 && c.lo < 1.0))
            continue;
        const double width = c.hi - c.lo;
        if (!smallCovers && width < minimumCover) {
            passedOver = passedOver || width >= hairCover;
            continue;
        }
        if (smallCovers && !(width >= hairCover && clearlyHidden(seg, c, e, s)))
            continue;
        if (wall.isOpening())
            queueSector(wall.nextSector);
        else
            i += cut(working, i, c);
    }
    return passedOver;
}

} // namespace Vell3D
