#include "world/World.h"

#include <cmath>
#include <limits>

namespace Vell3D {

double WorldSector::floorZAt(double x, double y) const
{
    return -(floorPlane.a * x + floorPlane.b * y + floorPlane.d) / floorPlane.c;
}

double WorldSector::ceilingZAt(double x, double y) const
{
    return -(ceilingPlane.a * x + ceilingPlane.b * y + ceilingPlane.d) / ceilingPlane.c;
}

bool WallPiece::hasHeight() const
{
    return std::fabs(corners[1].z - corners[2].z) > 0.1 || std::fabs(corners[0].z - corners[3].z) > 0.1;
}

// Both end points of wall w exist: always so in a built world, not
// necessarily in one put together by hand.
bool World::hasPoints(int w) const
{
    return inRange(w, walls.size()) && inRange(walls[std::size_t(w)].index, points.size()) &&
           inRange(walls[std::size_t(w)].nextPoint, points.size());
}

double World::windingArea(int sector) const
{
    // Twice the signed area of all the sector's loops: holes run the other
    // way round, so the sign is the outer loop's and tells on which side of
    // every wall the inside lies (left when positive).
    double area = 0.0;
    for (int i : sectors[std::size_t(sector)].walls) {
        if (!hasPoints(i))
            continue;
        const WallPoint& a = wallStart(i);
        const WallPoint& b = wallEnd(i);
        area += a.x * b.y - b.x * a.y;
    }
    return area;
}

bool World::headsOutOf(double windingArea, int w, const Vector3& direction) const
{
    const WallPoint& a = wallStart(w);
    const WallPoint& b = wallEnd(w);
    double turn = (b.x - a.x) * direction.y - (b.y - a.y) * direction.x;
    if (windingArea > 0.0)
        return turn < 0.0;
    if (windingArea < 0.0)
        return turn > 0.0;
    return true;
}

} // namespace Vell3D
