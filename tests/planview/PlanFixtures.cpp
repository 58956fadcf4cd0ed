#include "PlanFixtures.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <sstream>

#include "../world/WorldFixtures.h"
#include "tools/MapBuilder.h"

using Vell3D::Segment;
using Vell3D::Vector3;
using VellTools::MapPoint;

namespace PlanFixtures {

namespace {

enum Passage { closed, open, door };

struct Maze {
    int columns, rows;
    std::vector<Passage> east, south;   // the passage to the east / south of each cell
    Passage& eastOf(int i, int j) { return east[std::size_t(j * columns + i)]; }
    Passage& southOf(int i, int j) { return south[std::size_t(j * columns + i)]; }
};

Maze carve(int columns, int rows, std::mt19937& random)
{
    Maze m{columns, rows, std::vector<Passage>(std::size_t(columns * rows), closed),
           std::vector<Passage>(std::size_t(columns * rows), closed)};
    std::vector<char> seen(std::size_t(columns * rows), 0);
    std::vector<int> stack{0};
    seen[0] = 1;
    auto kind = [&random]() { return random() % 3 == 0 ? door : open; };
    while (!stack.empty()) {
        int c = stack.back(), i = c % columns, j = c / columns;
        std::vector<int> next;
        const int di[4] = {1, -1, 0, 0}, dj[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            int ni = i + di[k], nj = j + dj[k];
            if (ni >= 0 && nj >= 0 && ni < columns && nj < rows && !seen[std::size_t(nj * columns + ni)])
                next.push_back(k);
        }
        if (next.empty()) {
            stack.pop_back();
            continue;
        }
        int k = next[random() % next.size()];
        int ni = i + di[k], nj = j + dj[k];
        if (k == 0) m.eastOf(i, j) = kind();
        if (k == 1) m.eastOf(ni, nj) = kind();
        if (k == 2) m.southOf(i, j) = kind();
        if (k == 3) m.southOf(ni, nj) = kind();
        seen[std::size_t(nj * columns + ni)] = 1;
        stack.push_back(nj * columns + ni);
    }
    for (int extra = 0; extra < columns * rows / 8; ++extra) {
        int i = int(random() % std::uint32_t(columns - 1)), j = int(random() % std::uint32_t(rows - 1));
        (random() % 2 ? m.eastOf(i, j) : m.southOf(i, j)) = kind();
    }
    return m;
}

// One side of a cell, from p to q, with the passage through it.
void addSide(std::vector<MapPoint>& loop, std::vector<MapPoint>& solid, MapPoint p, MapPoint q, Passage passage)
{
    loop.push_back(p);
    if (passage == open)
        return;
    solid.push_back(p);
    if (passage == closed)
        return;
    MapPoint third{p.x + (q.x - p.x) / 3, p.y + (q.y - p.y) / 3};
    MapPoint twoThirds{p.x + 2 * (q.x - p.x) / 3, p.y + 2 * (q.y - p.y) / 3};
    loop.push_back(third);
    loop.push_back(twoThirds);
    solid.push_back(twoThirds);
}

} // namespace

void buildPlan(World& world, const VellTools::MapContent& content)
{
    World::BuildOptions options;
    options.planOnly = true;
    world.build(WorldFixtures::loadMap(content), options);
    world.buildPieces();
}

VellTools::MapContent maze(int columns, int rows, std::int32_t cell, unsigned seed)
{
    std::mt19937 random(seed);
    Maze m = carve(columns, rows, random);
    VellTools::MapBuilder builder;
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            std::int32_t x0 = i * cell, y0 = j * cell, x1 = x0 + cell, y1 = y0 + cell;
            Passage top = j > 0 ? m.southOf(i, j - 1) : closed;
            Passage right = i + 1 < columns ? m.eastOf(i, j) : closed;
            Passage bottom = j + 1 < rows ? m.southOf(i, j) : closed;
            Passage left = i > 0 ? m.eastOf(i - 1, j) : closed;
            std::vector<MapPoint> loop, solid;
            addSide(loop, solid, {x0, y0}, {x1, y0}, top);
            addSide(loop, solid, {x1, y0}, {x1, y1}, right);
            addSide(loop, solid, {x1, y1}, {x0, y1}, bottom);
            addSide(loop, solid, {x0, y1}, {x0, y0}, left);
            int floor = int((i * 7 + j * 3) % 5) * 8;
            int s = builder.addSector(loop, mapZ(floor), mapZ(floor + 256));
            for (MapPoint p : solid)
                builder.keepSolid(s, p.x, p.y);
        }
    }
    builder.setStart(cell / 2, cell / 2, 0, 0, 0);
    return builder.build();
}

std::vector<Segment> viewWindows()
{
    return {{Vector3(20000, 60000, 0), Vector3(-20000, 60000, 0)},
            {Vector3(2000, -4000, 0), Vector3(-2000, -4000, 0)}};
}

namespace {

double cross(double ax, double ay, double bx, double by)
{
    return ax * by - ay * bx;
}

// Clips the piece p0->p1 (as parameters [u0, u1] along it) to the side of
// the line through q with normal-side test f(x, y) = nx * (x - qx) + ny * (y - qy) >= 0.
bool clipHalf(const Vector3& p0, const Vector3& p1, double nx, double ny, double qx, double qy, double& u0,
              double& u1)
{
    double f0 = nx * (p0.x - qx) + ny * (p0.y - qy);
    double f1 = nx * (p1.x - qx) + ny * (p1.y - qy);
    if (f0 < 0 && f1 < 0)
        return false;
    if (f0 >= 0 && f1 >= 0)
        return u0 <= u1;
    double t = f0 / (f0 - f1);
    if (f0 < 0)
        u0 = std::max(u0, t);
    else
        u1 = std::min(u1, t);
    return u0 < u1;
}

// How far beyond the wall's line p0->p1 the far edge a->b lies, seen from O
// through the wall's point q.
double pastWall(const Vector3& q, const Vector3& a, const Vector3& b, const Vector3& p0, const Vector3& p1)
{
    double t = intersect(Vector3(0, 0, 0), q, a, b).r;
    if (!std::isfinite(t) || t <= 1)
        return 0;
    double length = std::hypot(p1.x - p0.x, p1.y - p0.y);
    return std::fabs(cross(p1.x - p0.x, p1.y - p0.y, q.x * t - p0.x, q.y * t - p0.y)) / length;
}

} // namespace

std::string fanLeak(const Vell3D::PlanPlayerNode& player, double tolerance)
{
    const World& world = *player.world;
    std::set<int> sectors(player.visibleSectors.begin(), player.visibleSectors.end());
    for (int s : player.visibleSectors)
        for (int w : world.sectors[std::size_t(s)].walls)
            if (world.walls[std::size_t(w)].isOpening())
                sectors.insert(world.walls[std::size_t(w)].nextSector);
    std::ostringstream report;
    for (const Segment& seg : player.visibleSegments) {
        const Vector3 &a = seg.a, &b = seg.b;
        double turn = cross(a.x, a.y, b.x, b.y);
        double length = std::hypot(b.x - a.x, b.y - a.y);
        if (std::fabs(turn) < 1e-9 || length < 1e-9)
            continue;   // a triangle without area
        double sign = turn > 0 ? 1 : -1;
        // The side of the far edge where the player is, moved in by tolerance.
        double nx = -(b.y - a.y) / length, ny = (b.x - a.x) / length;
        if (nx * (0 - a.x) + ny * (0 - a.y) < 0) {
            nx = -nx;
            ny = -ny;
        }
        for (int s : sectors) {
            for (int w : world.sectors[std::size_t(s)].walls) {
                const WorldWall& wall = world.walls[std::size_t(w)];
                if (wall.isOpening())
                    continue;
                Vector3 p0 = player.fromParent(world.points[std::size_t(wall.index)].floorPoint());
                Vector3 p1 = player.fromParent(world.points[std::size_t(wall.nextPoint)].floorPoint());
                // Rays that graze a wall's end within the tolerance do not count.
                double margin = tolerance / std::max(std::hypot(p1.x - p0.x, p1.y - p0.y), 1e-9);
                double u0 = margin, u1 = 1 - margin;
                // The part of the wall inside the wedge and in front of the far edge.
                if (!clipHalf(p0, p1, -sign * a.y, sign * a.x, 0, 0, u0, u1) ||
                    !clipHalf(p0, p1, sign * b.y, -sign * b.x, 0, 0, u0, u1) ||
                    !clipHalf(p0, p1, nx, ny, a.x, a.y, u0, u1))
                    continue;
                Vector3 q0(p0.x + (p1.x - p0.x) * u0, p0.y + (p1.y - p0.y) * u0, 0);
                Vector3 q1(p0.x + (p1.x - p0.x) * u1, p0.y + (p1.y - p0.y) * u1, 0);
                double angle = std::atan2(std::fabs(cross(q0.x, q0.y, q1.x, q1.y)), q0.x * q1.x + q0.y * q1.y);
                if (angle < 1e-9)
                    continue;
                // How far the far edge reaches past the wall's line there.
                double depth = std::max(pastWall(q0, a, b, p0, p1), pastWall(q1, a, b, p0, p1));
                if (depth <= tolerance)
                    continue;
                report << "segment (" << a.x << ", " << a.y << ") - (" << b.x << ", " << b.y << ") reaches past wall "
                       << w << " of sector " << s << " by " << depth << " over " << angle << " rad; ";
            }
        }
    }
    return report.str();
}

Walker::Walker(const VellTools::MapContent& content)
{
    buildPlan(world, content);
    player.viewWindows = viewWindows();
    player.world = &world;
    player.takePlacement(world.camera);
}

void Walker::placeAt(double x, double y, int s)
{
    player.reset();
    player.sector = s;
    player.rotate(90, 0, 0, 1);
    player.translateGlobal(x, y, 0);
}

} // namespace PlanFixtures
