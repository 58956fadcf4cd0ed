// The sector walk of the PortalCamera: depth first through the openings,
// narrowing the part of the view that each sector is seen through, then a
// look past any sky that was listed. Storage is kept from walk to walk, so a
// steady frame (whose mirrors walk again) allocates nothing.
#include <algorithm>
#include <cmath>
#include <limits>

#include "render/PortalCamera.h"

namespace Vell3D {

namespace {

// The start point of wall w; null for a wall or point the world lacks.
const WallPoint* startOf(const World& world, int w)
{
    if (!inRange(w, world.walls.size()))
        return nullptr;
    const int p = world.walls[std::size_t(w)].index;
    return inRange(p, world.points.size()) ? &world.points[std::size_t(p)] : nullptr;
}

} // namespace

bool PortalCamera::listed(int sector) const
{
    return inRange(sector, reached.size()) && reached[std::size_t(sector)].walk == walkNumber;
}

// A camera outside every sector has nowhere to start; it is shown the
// whole map rather than nothing, so a user who strayed out still sees it.
void PortalCamera::walkAll(const World& world)
{
    for (std::size_t s = 0; s < world.sectors.size(); ++s)
        visible.push_back(int(s));
}

// Storage grows only for a larger world (or, for the stack, a walk that
// widens more windows than any before).
void PortalCamera::startWalk(std::size_t sectorCount)
{
    if (reached.size() < sectorCount)
        reached.resize(sectorCount);
    if (++walkNumber == 0) {
        for (Reach& r : reached)
            r.walk = r.hidden = 0;
        walkNumber = 1;
    }
    stack.clear();
    stack.reserve(sectorCount);
    hidden.clear();
    hidden.reserve(sectorCount);
}

// Each walk over the whole view (there may be several in one walk) marks
// the sectors it meets with a number of its own.
void PortalCamera::nextWholeWalk()
{
    if (++wholeNumber == 0) {
        for (Reach& r : reached)
            r.whole = 0;
        wholeNumber = 1;
    }
}

// Whether sight may pass the wall: an opening into a sector of the world,
// neither solid nor a mirror, with some height.
bool PortalCamera::opens(const World& world, const WorldWall& wall) const
{
    const WallPiece& middle = wall.middle;
    return inRange(wall.nextSector, world.sectors.size()) && !(middle.flags & (pieceSolid | pieceMirror)) &&
           middle.hasHeight();
}

void PortalCamera::enlist(int sector, const ViewWindow& through)
{
    Reach& r = reached[std::size_t(sector)];
    r.windows[0] = through;
    r.windowCount = 1;
    r.walk = walkNumber;
    visible.push_back(sector);
}

// Depth first on an explicit stack of (sector, window) frames, so that a
// long chain of sectors cannot exhaust the call stack. A sector is listed
// when it is first reached; a window that adds to what reaches it sends its
// walls round again with that window.
void PortalCamera::walk(int startSector, const ViewWindow& through)
{
    visible.clear();
    visible.reserve(visibleReserve);
    stack.clear();
    const World* world = source ? source->world : nullptr;
    if (!world)
        return;
    if (!inRange(startSector, world->sectors.size())) {
        walkAll(*world);
        return;
    }
    startWalk(world->sectors.size());
    if (!narrowWalk) {
        nextWholeWalk();
        walkWhole(*world, startSector, [&](int s) { enlist(s, through); });
        return;
    }
    // The view's own sector is always listed; a mirror seen through no
    // area shows nothing.
    if (mirrored && through.empty())
        return;
    reach(startSector, through);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const std::vector<int>& walls = world->sectors[std::size_t(frame.sector)].walls;
        if (frame.nextWall >= walls.size()) {
            stack.pop_back();
            continue;
        }
        const int w = walls[frame.nextWall++];
        const ViewWindow from = frame.window;
        if (inRange(w, world->walls.size()))
            lookThrough(*world, from, world->walls[std::size_t(w)]);
    }
    lookPastSkies(*world, startSector);
}

bool PortalCamera::Reach::covers(const ViewWindow& window) const
{
    for (int i = 0; i < windowCount; ++i) {
        if (windows[i].covers(window))
            return true;
    }
    return false;
}

ViewWindow PortalCamera::Reach::bounds() const
{
    ViewWindow all;
    for (int i = 0; i < windowCount; ++i)
        all = joined(all, windows[i]);
    return all;
}

void PortalCamera::lookThrough(const World& world, const ViewWindow& from, const WorldWall& wall)
{
    if (!opens(world, wall))
        return;
    const int next = wall.nextSector;
    if (listed(next) && reached[std::size_t(next)].covers(from))
        return;
    if (!sees(wall.middle))
        return;
    const ViewWindow cover = projection.cover(wall.middle.corners, from);
    if (!cover.empty()) {
        reach(next, cover);
        return;
    }
    // The walk over the whole view would go on here; a sky may need that.
    Reach& behind = reached[std::size_t(next)];
    if (behind.hidden != walkNumber) {
        behind.hidden = walkNumber;
        hidden.push_back(next);
    }
}

// What reaches a sector is kept as a few windows rather than one box round
// all: sight often comes at a sector from two sides, and the box round both
// would take in what lies between. Past the last one the window that grows
// least takes the new one in. Returns the window that grew, or null when
// the sector's windows covered the new one already.
const ViewWindow* PortalCamera::Reach::add(const ViewWindow& window)
{
    if (covers(window))
        return nullptr;
    if (windowCount < maxWindows) {
        windows[windowCount] = window;
        return &windows[windowCount++];
    }
    int best = 0;
    double bestGrowth = std::numeric_limits<double>::infinity();
    for (int i = 0; i < windowCount; ++i) {
        const double growth = joined(windows[i], window).area() - windows[i].area();
        if (growth < bestGrowth) {
            bestGrowth = growth;
            best = i;
        }
    }
    windows[best].join(window);
    return &windows[best];
}

void PortalCamera::reach(int sector, const ViewWindow& through)
{
    Reach& r = reached[std::size_t(sector)];
    if (r.walk != walkNumber) {
        enlist(sector, through);
        stack.push_back(Frame{sector, 0, through});
        return;
    }
    if (const ViewWindow* grown = r.add(through))
        stack.push_back(Frame{sector, 0, *grown});
}

// The walk as it was before it narrowed: every opening that faces the eye
// and lies in the view, each sector once, through the first opening met;
// from another start it goes on where narrowing stopped, past sectors
// already listed.
template <class Visit>
void PortalCamera::walkWhole(const World& world, int startSector, Visit visit)
{
    stack.clear();
    reached[std::size_t(startSector)].whole = wholeNumber;
    visit(startSector);
    stack.push_back(Frame{startSector, 0, viewWindow});
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const std::vector<int>& walls = world.sectors[std::size_t(frame.sector)].walls;
        if (frame.nextWall >= walls.size()) {
            stack.pop_back();
            continue;
        }
        const int w = walls[frame.nextWall++];
        if (!inRange(w, world.walls.size()))
            continue;
        const WorldWall& wall = world.walls[std::size_t(w)];
        if (!opens(world, wall) || reached[std::size_t(wall.nextSector)].whole == wholeNumber ||
            listed(wall.nextSector) || !sees(wall.middle))
            continue;
        reached[std::size_t(wall.nextSector)].whole = wholeNumber;
        visit(wall.nextSector);
        stack.push_back(Frame{wall.nextSector, 0, viewWindow});
    }
}

// Past a sky ceiling the eye rises over every wall, solid ones too. The
// walk over the whole view listed whatever it met beyond the openings that
// narrowing closed, and some of that may show past the sky, as may what is
// listed, outside the windows it was reached through: whatever is
// seen there rises above the sky's lowest ceiling, climbs at least as
// steeply as a sight line to that height at the sky's farthest point (it
// leaves over the ceiling's edge no further off), and lies in the part of
// the view above the edges. The same below a sky floor. A sky ceiling below
// the eye, and an eye above its own ceiling, let it look past anywhere, at
// any height and slope (the same for floors).
void PortalCamera::lookPastSkies(const World& world, int startSector)
{
    constexpr double infinity = std::numeric_limits<double>::infinity();
    SkyView above{ViewWindow{}, infinity, infinity};
    SkyView below{ViewWindow{}, -infinity, -infinity};
    if (!mirrored && eyeAboveCeiling(world, startSector))
        above = SkyView{viewWindow, -infinity, -infinity};
    if (!mirrored && eyeBelowFloor(world, startSector))
        below = SkyView{viewWindow, infinity, infinity};
    const std::size_t listedCount = visible.size();
    std::size_t skiesTaken = 0, edgesTaken = 0;
    // A sky met beyond a closed opening opens more of the view: go round
    // until no more is listed.
    for (bool first = true;; first = false) {
        const bool skies = takeSkies(world, skiesTaken, above, below);
        if (!skies && (!first || (above.window.empty() && below.window.empty())))
            break;
        const std::size_t before = visible.size();
        nextWholeWalk();
        for (std::size_t i = 0; i < hidden.size(); ++i) {
            const int h = hidden[i];
            if (listed(h) || reached[std::size_t(h)].whole == wholeNumber)
                continue;
            walkWhole(world, h, [&](int s) {
                const SectorBox box = boxOf(world, s);
                const unsigned past = pastSkies(box, above, below);
                if (!past)
                    return;
                for (; edgesTaken < skiesTaken; ++edgesTaken)
                    takeSkyEdges(world, visible[edgesTaken], above, below);
                const ViewWindow seen = pastSky(box, past & 1 ? &above : nullptr, past & 2 ? &below : nullptr);
                if (!seen.empty())
                    enlist(s, seen);
            });
        }
        if (visible.size() == before)
            break;
    }
    // What narrowing listed may show there too, outside the windows it was
    // reached through: drawing keeps to a sector's windows, so one that
    // rises (or sinks) past a sky is given the whole view (once the skies'
    // own windows have served above).
    for (std::size_t i = 0; i < listedCount; ++i) {
        const int s = visible[i];
        if (pastSkies(boxOf(world, s), above, below))
            reached[std::size_t(s)].add(viewWindow);
    }
}

// Takes the skies of the listed sectors from `taken` on into the views;
// whether there was any.
bool PortalCamera::takeSkies(const World& world, std::size_t& taken, SkyView& above, SkyView& below) const
{
    constexpr double infinity = std::numeric_limits<double>::infinity();
    bool skies = false;
    for (; taken < visible.size(); ++taken) {
        const WorldSector& sector = world.sectors[std::size_t(visible[taken])];
        if (!sector.ceilingParallax && !sector.floorParallax)
            continue;
        skies = true;
        double lowCeiling = infinity, highFloor = -infinity, far2 = 0.0;
        for (int w : sector.walls) {
            const WallPoint* point = startOf(world, w);
            if (!point)
                continue;
            const WallPoint& p = *point;
            lowCeiling = std::min(lowCeiling, p.ceilingZ);
            highFloor = std::max(highFloor, p.floorZ);
            far2 = std::max(far2, (p.x - eye_.x) * (p.x - eye_.x) + (p.y - eye_.y) * (p.y - eye_.y));
        }
        // Seen from above, a sky ceiling lets sight fall through it to any
        // height at any slope (the same for a sky floor seen from below).
        const double far = std::sqrt(far2);
        if (sector.ceilingParallax) {
            const bool under = lowCeiling > eye_.z && far > 0.0;
            above.height = std::min(above.height, under ? lowCeiling : -infinity);
            above.slope = std::min(above.slope, under ? (lowCeiling - eye_.z) / far : -infinity);
        }
        if (sector.floorParallax) {
            const bool over = highFloor < eye_.z && far > 0.0;
            below.height = std::max(below.height, over ? highFloor : infinity);
            below.slope = std::max(below.slope, over ? (highFloor - eye_.z) / far : infinity);
        }
    }
    return skies;
}

// Whether something in the box can show past the skies above (bit 1) or
// below (bit 2): it rises above the sky's height and as steeply as sight
// past it climbs (or sinks and falls likewise).
unsigned PortalCamera::pastSkies(const SectorBox& box, const SkyView& above, const SkyView& below) const
{
    const bool up = box.hi[2] > above.height && slopeTo(box.hi[2], box, true) > above.slope;
    const bool down = box.lo[2] < below.height && slopeTo(box.lo[2], box, false) < below.slope;
    return (up ? 1u : 0u) | (down ? 2u : 0u);
}

// The parts of the view above a sky ceiling's edges (and below a sky
// floor's), joined to what was taken before.
void PortalCamera::takeSkyEdges(const World& world, int s, SkyView& above, SkyView& below) const
{
    const WorldSector& sector = world.sectors[std::size_t(s)];
    if (sector.ceilingParallax)
        above.window = joined(above.window, pastEdges(world, s, true));
    if (sector.floorParallax)
        below.window = joined(below.window, pastEdges(world, s, false));
}

// Where a sight line can leave the sector over its walls' tops (or under
// their feet): the strips above the ceiling edges it could pass from inside.
ViewWindow PortalCamera::pastEdges(const World& world, int s, bool ceiling) const
{
    const ViewWindow through = reached[std::size_t(s)].bounds();
    ViewWindow past;
    for (int w : world.sectors[std::size_t(s)].walls) {
        if (!world.hasPoints(w))
            continue;
        const WallPoint& a = world.wallStart(w);
        const WallPoint& b = world.wallEnd(w);
        // Leaving over a wall means the eye is on its inner side (or near).
        if ((a.x - b.x) * (eye_.y - b.y) - (a.y - b.y) * (eye_.x - b.x) <= -0.5)
            continue;
        const double end[3] = {b.x, b.y, ceiling ? b.ceilingZ : b.floorZ};
        const double start[3] = {a.x, a.y, ceiling ? a.ceilingZ : a.floorZ};
        past = joined(past, projection.coverStrip(end, start, ceiling, through));
    }
    return past;
}

PortalCamera::SectorBox PortalCamera::boxOf(const World& world, int s)
{
    constexpr double infinity = std::numeric_limits<double>::infinity();
    SectorBox box{{infinity, infinity, infinity}, {-infinity, -infinity, -infinity}};
    const std::size_t wallCount = world.walls.size(), pointCount = world.points.size();
    for (int w : world.sectors[std::size_t(s)].walls) {
        if (std::size_t(w) >= wallCount)
            continue;
        const std::size_t i = std::size_t(world.walls[std::size_t(w)].index);
        if (i >= pointCount)
            continue;
        const WallPoint& p = world.points[i];
        box.lo[0] = p.x < box.lo[0] ? p.x : box.lo[0];
        box.hi[0] = p.x > box.hi[0] ? p.x : box.hi[0];
        box.lo[1] = p.y < box.lo[1] ? p.y : box.lo[1];
        box.hi[1] = p.y > box.hi[1] ? p.y : box.hi[1];
        box.lo[2] = p.floorZ < box.lo[2] ? p.floorZ : box.lo[2];
        box.hi[2] = p.ceilingZ > box.hi[2] ? p.ceilingZ : box.hi[2];
        // A sloped floor may rise above the ceiling's edge, or the other way.
        box.lo[2] = p.ceilingZ < box.lo[2] ? p.ceilingZ : box.lo[2];
        box.hi[2] = p.floorZ > box.hi[2] ? p.floorZ : box.hi[2];
    }
    return box;
}

// The steepest (or, with steepest false, the shallowest) slope of a sight
// line from the eye to a point at height z within the box's plan.
double PortalCamera::slopeTo(double z, const SectorBox& box, bool steepest) const
{
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const double nearX = std::max({0.0, box.lo[0] - eye_.x, eye_.x - box.hi[0]});
    const double nearY = std::max({0.0, box.lo[1] - eye_.y, eye_.y - box.hi[1]});
    const double farX = std::max(std::fabs(box.lo[0] - eye_.x), std::fabs(box.hi[0] - eye_.x));
    const double farY = std::max(std::fabs(box.lo[1] - eye_.y), std::fabs(box.hi[1] - eye_.y));
    const double rise = z - eye_.z;
    // Towards a point above the eye a sight line is steepest nearest; below
    // it, farthest.
    const double distance = (rise > 0.0) == steepest ? std::sqrt(nearX * nearX + nearY * nearY)
                                                     : std::sqrt(farX * farX + farY * farY);
    if (distance > 0.0)
        return rise / distance;
    return steepest ? infinity : -infinity;
}

// The part of the views past skies in which the part of the box that rises
// past the sky (or sinks past it) can show.
ViewWindow PortalCamera::pastSky(const SectorBox& box, const SkyView* above, const SkyView* below) const
{
    ViewWindow past;
    if (above && !above->window.empty()) {
        const double low[3] = {box.lo[0], box.lo[1], std::max(box.lo[2], above->height)};
        past = joined(past, projection.coverBox(low, box.hi, above->window));
    }
    if (below && !below->window.empty()) {
        const double high[3] = {box.hi[0], box.hi[1], std::min(box.hi[2], below->height)};
        past = joined(past, projection.coverBox(box.lo, high, below->window));
    }
    return past;
}

} // namespace Vell3D
