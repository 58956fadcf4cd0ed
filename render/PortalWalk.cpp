// The sector walk of the PortalCamera: depth first through the openings,
// narrowing the part of the view that each sector is seen through, then a
// look past any sky that was listed (PortalSkies.cpp). Storage is kept from
// walk to walk, so a steady frame (whose mirrors walk again) allocates
// nothing.
#include <limits>

#include "render/PortalCamera.h"

namespace Vell3D {

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
            r.walk = r.hidden = r.widenedWalk = 0;
        walkNumber = 1;
    }
    stack.clear();
    stack.reserve(sectorCount);
    widened.clear();
    widened.reserve(sectorCount);
    hidden.clear();
    hidden.reserve(sectorCount);
    unseen.reserve(sectorCount);
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
    r.grown = 0;
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
    walkStart = startSector;
    holeWindow = ViewWindow{};
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
        walkWhole(*world, startSector, WholeVisit::list);
        return;
    }
    // The view's own sector is always listed; a mirror seen through no
    // area shows nothing.
    if (mirrored && through.empty())
        return;
    reach(startSector, through);
    for (std::size_t next = 0;;) {
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
        if (next == widened.size())
            break;
        walkWidened(widened[next++]);
    }
    lookPastSkies(*world, startSector);
}

// A listed sector whose windows grew sends its walls round again with each
// window that grew since it last did. Sight often reaches a sector several
// times, wider each time, before it is its turn; it goes round once.
void PortalCamera::walkWidened(int sector)
{
    Reach& r = reached[std::size_t(sector)];
    r.widenedWalk = 0;
    for (int i = 0; i < r.windowCount; ++i) {
        if (r.grown & (1u << i))
            stack.push_back(Frame{sector, 0, r.windows[i]});
    }
    r.grown = 0;
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
    if (!sees(wall.middle)) {
        // The eye on the opening: the sector behind is around it.
        if (standsOn(world, wall))
            reach(next, from);
        return;
    }
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
// least takes the new one in. Returns the number of the window that grew,
// or -1 when the sector's windows covered the new one already.
int PortalCamera::Reach::add(const ViewWindow& window)
{
    if (covers(window))
        return -1;
    if (windowCount < maxWindows) {
        windows[windowCount] = window;
        return windowCount++;
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
    return best;
}

void PortalCamera::reach(int sector, const ViewWindow& through)
{
    Reach& r = reached[std::size_t(sector)];
    if (r.walk != walkNumber) {
        enlist(sector, through);
        stack.push_back(Frame{sector, 0, through});
        return;
    }
    const int grew = r.add(through);
    if (grew < 0)
        return;
    r.grown |= 1u << grew;
    if (r.widenedWalk != walkNumber) {
        r.widenedWalk = walkNumber;
        widened.push_back(sector);
    }
}

// The walk as it was before it narrowed: every opening that faces the eye
// and lies in the view, each sector once, through the first opening met;
// looking past skies it goes on where narrowing stopped, past sectors
// already listed. What it meets is listed with the whole view, or, looking
// past skies, where it shows past them.
void PortalCamera::walkWhole(const World& world, int startSector, WholeVisit visit)
{
    stack.clear();
    reached[std::size_t(startSector)].whole = wholeNumber;
    meet(world, startSector, visit);
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
        const int next = wall.nextSector;
        // Most walls lead where the walk has been: that is asked first.
        if (!inRange(next, world.sectors.size()) || reached[std::size_t(next)].whole == wholeNumber ||
            (visit == WholeVisit::pastSky && listed(next)) || !opens(world, wall) ||
            !(sees(wall.middle) || standsOn(world, wall)))
            continue;
        reached[std::size_t(next)].whole = wholeNumber;
        meet(world, next, visit);
        stack.push_back(Frame{next, 0, viewWindow});
    }
}

void PortalCamera::meet(const World& world, int sector, WholeVisit visit)
{
    if (visit == WholeVisit::list) {
        enlist(sector, viewWindow);
        return;
    }
    if (visit == WholeVisit::sky) {
        const int tile = world.sectors[std::size_t(sector)].skyTile();
        if (tile >= 0)
            wholeSky = tile;
        return;
    }
    if (!showsPastSky(world, sector))
        unseen.push_back(sector);
}

// Lists the sector where it shows past a listed sky, if it does.
bool PortalCamera::showsPastSky(const World& world, int sector)
{
    const ViewWindow seen = seenPastSky(world, sector);
    if (seen.empty())
        return false;
    enlist(sector, seen);
    return true;
}

} // namespace Vell3D
