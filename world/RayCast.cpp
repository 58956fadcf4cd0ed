// The ray cast: the first surface that the segment from a ray's origin to its
// target meets, found sector by sector through the openings it passes. Each
// opening is passed at most once (with the wall behind it), so the walk ends
// after at most one sector per wall, whatever the map's links look like.
#include <cmath>
#include <limits>
#include <vector>

#include "world/World.h"

namespace Vell3D {

namespace {

bool between0And1(double v)
{
    return v >= 0.0 && v <= 1.0;
}

// What is drawn of an opening's middle: a masked or one-way picture, or a
// mirror.
bool drawnMiddle(const WallPiece& middle)
{
    return middle.flags & (pieceMasked | pieceSolid | pieceMirror);
}

Vector3 pointAt(const RayHit& hit, double t)
{
    return hit.origin.plus(hit.target.minus(hit.origin).times(t));
}

// What the walls of one sector offer the ray: the nearest surface hit and
// the nearest opening passed that has not been passed before.
struct SectorScan {
    double best = std::numeric_limits<double>::infinity();
    int bestKind = surfaceNone;
    int bestWall = -1;
    double through = std::numeric_limits<double>::infinity();
    int throughWall = -1;

    void offer(double t, int kind, int wall)
    {
        if (t < best) {
            best = t;
            bestKind = kind;
            bestWall = wall;
        }
    }
};

} // namespace

bool WallPiece::rayHit(const RayHit& hit) const
{
    LineCrossing c = intersect(hit.origin, hit.target, corners[0], corners[1]);
    if (!between0And1(c.r) || !between0And1(c.s))
        return false;
    Vector3 r = pointAt(hit, c.r);
    double top = corners[0].z + (corners[1].z - corners[0].z) * c.s;
    double bottom = corners[3].z + (corners[2].z - corners[3].z) * c.s;
    return bottom <= r.z && r.z <= top;
}

Vector3 WallPiece::normal() const
{
    Vector3 d = corners[1].minus(corners[0]);
    Vector3 n(-d.y, d.x, 0.0);
    double length = n.length();
    // A piece without a top edge (hidden or clipped away) has no direction.
    return length > 0.0 ? n.dividedBy(length) : Vector3();
}

bool World::sectorPlaneHit(const RayHit& hit, int sector, const Plane& plane, double& t) const
{
    t = plane.intersect(hit.origin, hit.target);
    if (!between0And1(t))
        return false;
    const Vector3 p = pointAt(hit, t);
    return holds(sector, p.x, p.y);
}

bool World::holds(int sector, double x, double y) const
{
    if (!inRange(sector, sectors.size()))
        return false;
    bool inside = false;
    for (int w : sectors[std::size_t(sector)].walls)
        if (hasPoints(w) && crossesTowardsMinusX(wallStart(w), wallEnd(w), x, y))
            inside = !inside;
    return inside;
}

int World::sectorAt(double x, double y) const
{
    for (std::size_t s = 0; s < sectors.size(); ++s)
        if (holds(int(s), x, y))
            return int(s);
    return -1;
}

void World::castRay(RayHit& hit) const
{
    trace(hit, false);
}

void World::trace(RayHit& hit, bool middles) const
{
    hit.point = hit.target;
    hit.kind = surfaceNone;
    hit.normal = Vector3();
    hit.wall = -1;
    hit.sprite = -1;
    if (!inRange(hit.sector, sectors.size()))
        return;
    // Kept from call to call: the 3D view casts a ray for its aim marker in
    // every frame, and a steady frame allocates nothing.
    thread_local std::vector<unsigned char> passed;
    passed.assign(walls.size(), 0);
    const Vector3 direction = hit.target.minus(hit.origin);
    int s = hit.sector;
    for (;;) {
        const WorldSector& sector = sectors[std::size_t(s)];
        const double winding = windingArea(s);
        SectorScan scan;
        for (int w : sector.walls) {
            if (!hasPoints(w))
                continue;
            const WorldWall& wall = walls[std::size_t(w)];
            LineCrossing c = intersect(hit.origin, hit.target, wallEnd(w).floorPoint(), wallStart(w).floorPoint());
            if (!between0And1(c.r) || !between0And1(c.s))
                continue;
            bool opening = wall.isOpening() && inRange(wall.nextSector, sectors.size());
            if (!opening) {
                if (wall.upper.rayHit(hit))
                    scan.offer(c.r, surfaceUpper, w);
            } else if (wall.upper.rayHit(hit)) {
                scan.offer(c.r, surfaceUpper, w);
            } else if (wall.lower.rayHit(hit)) {
                scan.offer(c.r, surfaceLower, w);
            } else if (middles && drawnMiddle(wall.middle) && wall.middle.rayHit(hit)) {
                scan.offer(c.r, surfaceMiddle, w);
            } else if (c.r < scan.through && !passed[std::size_t(w)] &&
                       headsOutOf(winding, w, direction)) {
                scan.through = c.r;
                scan.throughWall = w;
            }
        }
        double t;
        if (!sector.ceilingParallax && sectorPlaneHit(hit, s, sector.ceilingPlane, t))
            scan.offer(t, surfaceCeiling, -1);
        if (!sector.floorParallax && sectorPlaneHit(hit, s, sector.floorPlane, t))
            scan.offer(t, surfaceFloor, -1);

        if (std::isfinite(scan.best) && (scan.throughWall < 0 || scan.best < scan.through)) {
            hit.kind = scan.bestKind;
            hit.point = pointAt(hit, scan.best);
            hit.sector = s;
            if (scan.bestKind == surfaceFloor) {
                hit.normal = Vector3(sector.floorPlane.a, sector.floorPlane.b, sector.floorPlane.c);
            } else if (scan.bestKind == surfaceCeiling) {
                hit.normal = Vector3(sector.ceilingPlane.a, sector.ceilingPlane.b, sector.ceilingPlane.c);
            } else {
                const WorldWall& wall = walls[std::size_t(scan.bestWall)];
                const WallPiece& piece = scan.bestKind == surfaceLower    ? wall.lower
                                         : scan.bestKind == surfaceMiddle ? wall.middle
                                                                          : wall.upper;
                hit.normal = piece.normal();
                hit.wall = scan.bestWall;
            }
            return;
        }
        if (scan.throughWall < 0) {
            hit.sector = s;
            return;
        }
        const WorldWall& wall = walls[std::size_t(scan.throughWall)];
        passed[std::size_t(scan.throughWall)] = 1;
        if (inRange(wall.nextWall, passed.size()))
            passed[std::size_t(wall.nextWall)] = 1;
        s = wall.nextSector;
    }
}

} // namespace Vell3D
