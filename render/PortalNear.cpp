// The PortalCamera's look at what the near plane cuts. The GL cuts away
// whatever lies nearer the eye than the near distance, so a wall or a low
// ceiling that close leaves a hole in the picture, and through it shows
// whatever was drawn behind: the walk over the whole view draws there all
// it reached through openings that face the eye in the view. Users stand
// that close all the time (moves stop five units short of a solid wall).
// A hole is looked past as a sky is (PortalSkies.cpp), with no height to
// rise past: whatever that walk meets is listed where its box shows in the
// hole, and the sky is drawn in the hole too.
#include <algorithm>
#include <cmath>
#include <limits>

#include "render/PortalCamera.h"

namespace Vell3D {

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
// Depth past the near plane still taken for cut: the GL's rounding.
constexpr double nearRounding = 1.0;

// The squared distance from the point to the box.
double distance2(const SectorBox& box, const Vector3& p)
{
    const double at[3] = {p.x, p.y, p.z};
    double sum = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double d = std::max({0.0, box.lo[i] - at[i], at[i] - box.hi[i]});
        sum += d * d;
    }
    return sum;
}

// The box round the part of the view where a value given at the corners
// of the near rectangle (by PortalCamera::Corner), and linear in between,
// is at least zero.
ViewWindow partWhere(const ViewWindow& view, const double value[4])
{
    const double u[4] = {view.left, view.left, view.right, view.right};
    const double v[4] = {view.bottom, view.top, view.top, view.bottom};
    ViewWindow part{infinity, -infinity, infinity, -infinity};
    auto take = [&part](double x, double y) { part.join(ViewWindow{x, x, y, y}); };
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        if (value[i] >= 0.0)
            take(u[i], v[i]);
        if ((value[i] >= 0.0) != (value[j] >= 0.0)) {
            const double t = value[i] / (value[i] - value[j]);
            take(u[i] + (u[j] - u[i]) * t, v[i] + (v[j] - v[i]) * t);
        }
    }
    if (part.left > part.right)
        return ViewWindow{};
    const double m = ViewProjection::margin;
    return ViewWindow{part.left - m, part.right + m, part.bottom - m, part.top + m}.meet(view);
}

// Whether the piece is drawn and keeps sight out: a solid wall, the parts
// of an opening above and below it, a closed or mirrored opening.
bool blocks(const WallPiece& piece)
{
    return (piece.flags & (pieceSolid | pieceMirror)) && !(piece.flags & pieceHidden) && piece.hasHeight();
}

} // namespace

void PortalCamera::addNearHoles(const World& world)
{
    const double n = near();
    if (!(n > 0.0))
        return;
    // The near rectangle's corners are the farthest points the GL cuts.
    double reach2 = 0.0;
    for (const Vector3& c : window)
        reach2 = std::max(reach2, (c.x - eye_.x) * (c.x - eye_.x) + (c.y - eye_.y) * (c.y - eye_.y) +
                                      (c.z - eye_.z) * (c.z - eye_.z));
    const double reach = std::sqrt(reach2) + nearRounding;
    // Only what the walk listed can be drawn in front of a hole; what lies
    // behind one is what the look past it finds.
    for (std::size_t i = 0; i < visible.size(); ++i) {
        const int s = visible[i];
        const WorldSector& sector = world.sectors[std::size_t(s)];
        if (distance2(sector.box, eye_) <= reach * reach)
            addNearHoles(world, sector, n + nearRounding);
    }
}

void PortalCamera::addNearHoles(const World& world, const WorldSector& sector, double cutDepth)
{
    for (int w : sector.walls) {
        if (!inRange(w, world.walls.size()))
            continue;
        const WorldWall& wall = world.walls[std::size_t(w)];
        const bool onLine = standsOn(world, wall);
        for (const WallPiece* piece : {&wall.upper, &wall.lower, &wall.middle}) {
            if (!blocks(*piece))
                continue;
            // On the piece's line the eye sees it edge-on, which draws
            // nothing; standing in it, the eye sees past it, through a gap
            // of no width, wherever it looks behind it.
            if (!onLine)
                addHole(projection.nearCut(piece->corners, cutDepth, viewWindow));
            else if (standsIn(world, wall, *piece))
                addHole(behind(world, wall));
        }
    }
    if (!sector.ceilingParallax)
        addHole(nearCutOf(sector, true));
    if (!sector.floorParallax)
        addHole(nearCutOf(sector, false));
}

// Where the near rectangle reaches past the sector's ceiling seen from
// below (or its floor seen from above): the plane is taken as it runs,
// beyond the sector's outline too, which can only take in more.
ViewWindow PortalCamera::nearCutOf(const WorldSector& sector, bool ceiling) const
{
    auto past = [&sector, ceiling](const Vector3& p) {
        return ceiling ? p.z - sector.ceilingZAt(p.x, p.y) : sector.floorZAt(p.x, p.y) - p.z;
    };
    // Seen from the other side the surface is not drawn.
    if (past(eye_) >= 0.0)
        return ViewWindow{};
    double value[4];
    for (int i = 0; i < 4; ++i)
        value[i] = past(window[i]) + nearRounding;
    return partWhere(viewWindow, value);
}

// Whether the eye, on the piece's line, lies between its foot and its top
// where it stands along the wall.
bool PortalCamera::standsIn(const World& world, const WorldWall& wall, const WallPiece& piece) const
{
    const WallPoint& a = world.points[std::size_t(wall.index)];
    const WallPoint& b = world.points[std::size_t(wall.nextPoint)];
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t = length2 > 0.0 ? std::clamp(((eye_.x - a.x) * dx + (eye_.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    const Vector3* c = piece.corners;   // 0 end top, 1 start top, 2 start bottom, 3 end bottom
    const double top = c[1].z + t * (c[0].z - c[1].z), foot = c[2].z + t * (c[3].z - c[2].z);
    return eye_.z >= foot - nearRounding && eye_.z <= top + nearRounding;
}

// The part of the view whose sight lines head to the back of the wall's
// line (away from its sector), all heights.
ViewWindow PortalCamera::behind(const World& world, const WorldWall& wall) const
{
    const WallPoint& a = world.points[std::size_t(wall.index)];
    const WallPoint& b = world.points[std::size_t(wall.nextPoint)];
    // Its sector lies to the left of the wall run from its end to its start.
    const double nx = a.y - b.y, ny = b.x - a.x;
    auto towards = [&](double u, double v) {
        const double dx = u * axes[0].x + v * axes[1].x - axes[2].x;
        const double dy = u * axes[0].y + v * axes[1].y - axes[2].y;
        return nx * dx + ny * dy;
    };
    const ViewWindow& w = viewWindow;
    const double value[4] = {towards(w.left, w.bottom), towards(w.left, w.top), towards(w.right, w.top),
                             towards(w.right, w.bottom)};
    return partWhere(viewWindow, value);
}

void PortalCamera::addHole(const ViewWindow& hole)
{
    if (!hole.empty())
        addSky(SkyView{-1, true, -infinity, -infinity, hole, true});
}

} // namespace Vell3D
