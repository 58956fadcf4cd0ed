// The PortalCamera's look past skies. Past a sky ceiling the eye rises over
// every wall, solid ones too; the walk over the whole view (as it was
// before it narrowed) listed whatever it met beyond the openings that
// narrowing closes, and some of that may show past a sky, as may what
// narrowing listed, outside the windows it was reached through. Whatever
// shows past a sky rises above that sky's lowest ceiling, climbs at least
// as steeply as a sight line to that height at the sky sector's farthest
// point (it leaves over the ceiling's edge no further off), and lies in the
// part of the view above the sky's edges. The same below a sky floor. A sky
// ceiling below the eye, and an eye above its own ceiling, let it look past
// anywhere, at any height and slope (the same for floors).
#include <algorithm>
#include <cmath>
#include <limits>

#include "render/PortalCamera.h"

namespace Vell3D {

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

// The start point of wall w; null for a wall or point the world lacks.
const WallPoint* startOf(const World& world, int w)
{
    if (!inRange(w, world.walls.size()))
        return nullptr;
    const int p = world.walls[std::size_t(w)].index;
    return inRange(p, world.points.size()) ? &world.points[std::size_t(p)] : nullptr;
}

} // namespace

void PortalCamera::lookPastSkies(const World& world, int startSector)
{
    skies.clear();
    lowestSkyUp = infinity;
    highestSkyDown = -infinity;
    if (!mirrored && (eyeAboveCeiling(world, startSector) || eyeBelowFloor(world, startSector)))
        addHole(viewWindow);
    else if (!mirrored)
        addNearHoles(world);
    const std::size_t listedCount = visible.size();
    std::size_t taken = 0;
    takeSkies(world, taken);
    if (skies.empty())
        return;
    unseen.clear();
    nextWholeWalk();
    for (std::size_t i = 0; i < hidden.size(); ++i) {
        const int h = hidden[i];
        if (listed(h) || reached[std::size_t(h)].whole == wholeNumber)
            continue;
        walkWhole(world, h, WholeVisit::pastSky);
    }
    // A sky listed on the way opens more of the view: what was met and not
    // listed is looked at again, until no more skies are listed.
    for (;;) {
        const std::size_t skiesBefore = skies.size();
        takeSkies(world, taken);
        if (skies.size() == skiesBefore)
            break;
        std::size_t kept = 0;
        for (int s : unseen) {
            if (!showsPastSky(world, s))
                unseen[kept++] = s;
        }
        unseen.resize(kept);
    }
    // Drawing keeps to a sector's windows: those of what narrowing listed
    // take in where it may show past a sky.
    if (skies.empty())
        return;
    for (std::size_t i = 0; i < listedCount; ++i) {
        const ViewWindow seen = seenPastSky(world, visible[i]);
        if (!seen.empty())
            reached[std::size_t(visible[i])].add(seen);
    }
}

// Adds the skies of the listed sectors from `taken` on.
void PortalCamera::takeSkies(const World& world, std::size_t& taken)
{
    for (; taken < visible.size(); ++taken) {
        const int s = visible[taken];
        const WorldSector& sector = world.sectors[std::size_t(s)];
        if (!sector.ceilingParallax && !sector.floorParallax)
            continue;
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
            addSky(SkyView{s, true, under ? lowCeiling : -infinity,
                           under ? (lowCeiling - eye_.z) / far : -infinity, ViewWindow{}, false});
        }
        if (sector.floorParallax) {
            const bool over = highFloor < eye_.z && far > 0.0;
            addSky(SkyView{s, false, over ? highFloor : infinity,
                           over ? (highFloor - eye_.z) / far : infinity, ViewWindow{}, false});
        }
    }
}

void PortalCamera::addSky(const SkyView& sky)
{
    skies.push_back(sky);
    if (sky.sector < 0)
        holeWindow = joined(holeWindow, sky.window);
    if (sky.up)
        lowestSkyUp = std::min(lowestSkyUp, sky.height);
    else
        highestSkyDown = std::max(highestSkyDown, sky.height);
}

// Where the sector shows past a listed sky; empty where it does not.
ViewWindow PortalCamera::seenPastSky(const World& world, int sector)
{
    const WorldSector& s = world.sectors[std::size_t(sector)];
    return mayRisePastSky(s) ? pastSky(world, s.box) : ViewWindow{};
}

// Whether the sector may rise past any sky (or sink past one) by its height
// alone: a plane is highest and lowest at a corner, so the box tells it.
bool PortalCamera::mayRisePastSky(const WorldSector& sector) const
{
    return sector.box.hi[2] > lowestSkyUp || sector.box.lo[2] < highestSkyDown;
}

// The part of the view in which something in the box can show past a sky:
// the part of the box that rises past one (or sinks past one), within the
// parts of the view beyond the edges of the skies it rises past.
ViewWindow PortalCamera::pastSky(const World& world, const SectorBox& box)
{
    ViewWindow up, down;
    double upFrom = infinity, downFrom = -infinity;
    // The steepest climb to the box's top and the steepest fall to its
    // foot are the same for every sky.
    const double climb = box.hi[2] > lowestSkyUp ? slopeTo(box.hi[2], box, true) : -infinity;
    const double fall = box.lo[2] < highestSkyDown ? slopeTo(box.lo[2], box, false) : infinity;
    for (SkyView& sky : skies) {
        const bool past = sky.up ? box.hi[2] > sky.height && climb > sky.slope
                                 : box.lo[2] < sky.height && fall < sky.slope;
        if (!past)
            continue;
        if (!sky.windowTaken) {
            sky.window = pastEdges(world, sky.sector, sky.up);
            sky.windowTaken = true;
        }
        if (sky.window.empty())
            continue;
        if (sky.up) {
            up = joined(up, sky.window);
            upFrom = std::min(upFrom, sky.height);
        } else {
            down = joined(down, sky.window);
            downFrom = std::max(downFrom, sky.height);
        }
    }
    ViewWindow seen;
    if (!up.empty()) {
        const double low[3] = {box.lo[0], box.lo[1], std::max(box.lo[2], upFrom)};
        seen = projection.coverBox(low, box.hi, up);
    }
    if (!down.empty()) {
        const double high[3] = {box.hi[0], box.hi[1], std::min(box.hi[2], downFrom)};
        seen = joined(seen, projection.coverBox(box.lo, high, down));
    }
    return seen;
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

// The steepest (or, with steepest false, the shallowest) slope of a sight
// line from the eye to a point at height z within the box's plan.
double PortalCamera::slopeTo(double z, const SectorBox& box, bool steepest) const
{
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

// The renderer picks the sky of the last sky sector it draws; the walk
// over the whole view lists more sectors, in another order.
int PortalCamera::skyTile(int listedSky)
{
    const World* world = source ? source->world : nullptr;
    if (!narrowWalk || !world || !inRange(walkStart, world->sectors.size()) ||
        reached.size() < world->sectors.size() || world->skyKinds == 0)
        return listedSky;
    // One sky: any sky sector listed names it. Holes show the sky wherever
    // nothing is drawn in them, if the whole view's list holds any.
    if (listedSky >= 0 ? world->skyKinds == 1 : holeWindow.empty())
        return listedSky;
    if (skyWalk != walkNumber) {
        skyWalk = walkNumber;
        wholeSky = -1;
        nextWholeWalk();
        walkWhole(*world, walkStart, WholeVisit::sky);
    }
    return wholeSky;
}

} // namespace Vell3D
