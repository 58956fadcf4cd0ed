#include "PlanFixtures.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "../world/WorldFixtures.h"
#include "planview/PlanView.h"
#include "tools/authoring/MapBuilder.h"

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

std::int32_t laneWidth(unsigned seed)
{
    return 192 + 64 * std::int32_t(seed % 5);
}

VellTools::MapContent lanes(unsigned seed)
{
    std::mt19937 random(seed);
    const int laneCount = 5, columns = 4;
    const std::int32_t length = std::int32_t(laneLength), width = laneWidth(seed);
    const std::int32_t pieces[] = {8, 16, 32, 64, 128, 256, 512, 1024};
    // Each line between lanes (and the two outer ones) breaks at random
    // lengths and at every column's end; its pieces are solid or open.
    std::vector<std::vector<std::int32_t>> breaks(laneCount + 1);
    std::vector<std::vector<bool>> solid(laneCount + 1);
    for (int line = 0; line <= laneCount; ++line) {
        for (std::int32_t x = 0; x < columns * length;) {
            breaks[std::size_t(line)].push_back(x);
            solid[std::size_t(line)].push_back(random() % 5 < 3);
            x = std::min(x + pieces[random() % 8], (x / length + 1) * length);
        }
        breaks[std::size_t(line)].push_back(columns * length);
    }
    VellTools::MapBuilder builder;
    for (int lane = 0; lane < laneCount; ++lane) {
        const std::int32_t y0 = lane * width, y1 = y0 + width;
        const auto &top = breaks[std::size_t(lane)], &bottom = breaks[std::size_t(lane + 1)];
        for (int column = 0; column < columns; ++column) {
            const std::int32_t x0 = column * length, x1 = x0 + length;
            std::vector<MapPoint> loop;
            for (std::int32_t x : top)
                if (x >= x0 && x <= x1)
                    loop.push_back({x, y0});
            for (auto x = bottom.rbegin(); x != bottom.rend(); ++x)
                if (*x > x0 && *x <= x1)
                    loop.push_back({*x, y1});
            loop.push_back({x0, y1});
            builder.addSector(loop, mapZ(0), mapZ(256));
        }
    }
    // A solid piece between lanes stays solid from the lane below it.
    for (int line = 1; line < laneCount; ++line)
        for (std::size_t k = 0; k + 1 < breaks[std::size_t(line)].size(); ++k)
            if (solid[std::size_t(line)][k]) {
                const std::int32_t x = breaks[std::size_t(line)][k];
                builder.keepSolid(line * columns + int(x / length), x, line * width);
            }
    builder.setStart(length / 2, width / 2, 0, 0, 0);
    return builder.build();
}

Walker::Walker(const VellTools::MapContent& content)
{
    buildPlan(world, content);
    player.viewWindows = Vell3D::PlanView::viewWindows();
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
