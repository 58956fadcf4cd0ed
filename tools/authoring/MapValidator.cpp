#include "tools/authoring/MapValidator.h"

#include <algorithm>
#include <cstdint>

#include "world/World.h"

namespace VellTools {

namespace {

struct Corner {
    double x, y;
};

std::string at(const char* what, std::size_t index)
{
    return std::string(what) + " " + std::to_string(index) + ": ";
}

} // namespace

MapValidator::MapValidator(const MapContent& map, int tileCount) : map(map), tileCount(tileCount) {}

void MapValidator::report(const std::string& text)
{
    // A badly broken map would repeat the same fault thousands of times.
    if (found.size() < 100)
        found.push_back(text);
}

std::vector<std::string> MapValidator::problems()
{
    found.clear();
    owner.assign(map.walls.size(), -1);
    checkLimits();
    checkSectorRanges();
    for (std::size_t s = 0; s < map.sectors.size(); ++s)
        if (sectorUsable(static_cast<int>(s)))
            checkLoops(static_cast<int>(s));
    for (std::size_t w = 0; w < map.walls.size(); ++w)
        checkOpening(static_cast<int>(w));
    checkSprites();
    checkStart();
    checkTiles();
    return found;
}

void MapValidator::checkLimits()
{
    if (!readableMapVersion(map.version)) {
        report("version " + std::to_string(map.version) + " is not 7, 8 or 9");
        return;
    }
    const MapLimits limits = mapLimits(map.version);
    auto check = [this](std::size_t count, int limit, const char* what) {
        if (count > static_cast<std::size_t>(limit))
            report("more than " + std::to_string(limit) + " " + what + " in version " +
                   std::to_string(map.version));
    };
    check(map.sectors.size(), limits.sectors, "sectors");
    check(map.walls.size(), limits.walls, "walls");
    check(map.sprites.size(), limits.sprites, "sprites");
}

bool MapValidator::sectorUsable(int s) const
{
    const Sector& sector = map.sectors[s];
    return sector.firstWall >= 0 && sector.wallCount >= 3 &&
           sector.firstWall + sector.wallCount <= static_cast<int>(map.walls.size());
}

void MapValidator::checkSectorRanges()
{
    for (std::size_t s = 0; s < map.sectors.size(); ++s) {
        if (!sectorUsable(static_cast<int>(s))) {
            report(at("sector", s) + "wall range outside the wall table");
            continue;
        }
        const Sector& sector = map.sectors[s];
        for (int w = sector.firstWall; w < sector.firstWall + sector.wallCount; ++w) {
            if (owner[w] != -1)
                report(at("wall", w) + "belongs to two sectors");
            owner[w] = static_cast<int>(s);
        }
    }
    for (std::size_t w = 0; w < owner.size(); ++w)
        if (owner[w] == -1)
            report(at("wall", w) + "belongs to no sector");
}

void MapValidator::checkLoops(int s)
{
    // Loops must be consecutive: each wall leads to the next one, the last
    // wall of a loop back to its first. The floor drawing relies on that.
    const Sector& sector = map.sectors[s];
    int end = sector.firstWall + sector.wallCount;
    int loopStart = sector.firstWall;
    std::int64_t area2 = 0;
    for (int w = sector.firstWall; w < end; ++w) {
        const Wall& wall = map.walls[w];
        int next = wall.nextPoint;
        if (next < sector.firstWall || next >= end || (next != w + 1 && next != loopStart)) {
            report(at("wall", w) + "nextPoint leaves its loop");
            return;
        }
        const Wall& to = map.walls[next];
        if (to.x == wall.x && to.y == wall.y)
            report(at("wall", w) + "has no length");
        area2 += std::int64_t(wall.x) * to.y - std::int64_t(to.x) * wall.y;
        if (next == loopStart) {
            if (w - loopStart < 2)
                report(at("wall", w) + "closes a loop of fewer than three walls");
            bool outer = loopStart == sector.firstWall;
            if (outer ? area2 <= 0 : area2 >= 0)
                report(at("sector", s) + (outer ? "outer loop winds the wrong way" : "inner loop winds the wrong way"));
            loopStart = w + 1;
            area2 = 0;
        }
    }
    if (loopStart != end)
        report(at("sector", s) + "last loop does not close");
}

void MapValidator::checkOpening(int w)
{
    const Wall& wall = map.walls[w];
    if (wall.otherSector == -1 && wall.otherWall == -1)
        return;
    int count = static_cast<int>(map.walls.size());
    if (wall.otherWall < 0 || wall.otherWall >= count || wall.otherSector < 0 ||
        wall.otherSector >= static_cast<int>(map.sectors.size())) {
        report(at("wall", w) + "opening index out of range");
        return;
    }
    const Wall& back = map.walls[wall.otherWall];
    if (back.otherWall != w)
        report(at("wall", w) + "wall behind does not point back");
    if (owner[wall.otherWall] != wall.otherSector)
        report(at("wall", w) + "otherSector does not own the wall behind");
    if (owner[wall.otherWall] == owner[w])
        report(at("wall", w) + "opening into its own sector");
    if (wall.nextPoint < 0 || wall.nextPoint >= count || back.nextPoint < 0 || back.nextPoint >= count)
        return; // already reported by the loop check
    const Wall& end = map.walls[wall.nextPoint];
    const Wall& backEnd = map.walls[back.nextPoint];
    if (back.x != end.x || back.y != end.y || backEnd.x != wall.x || backEnd.y != wall.y)
        report(at("wall", w) + "wall behind is not the same segment reversed");
}

void MapValidator::checkSprites()
{
    for (std::size_t i = 0; i < map.sprites.size(); ++i) {
        const Sprite& sprite = map.sprites[i];
        if (sprite.sector < 0 || sprite.sector >= static_cast<int>(map.sectors.size()))
            report(at("sprite", i) + "sector out of range");
        else if (!sectorUsable(sprite.sector) || !inside(map, sprite.sector, sprite.x, sprite.y))
            report(at("sprite", i) + "not inside its sector");
    }
}

void MapValidator::checkStart()
{
    if (map.startSector < 0 || map.startSector >= static_cast<int>(map.sectors.size()))
        report("start sector out of range");
    else if (!sectorUsable(map.startSector) || !inside(map, map.startSector, map.startX, map.startY))
        report("start position not inside the start sector");
}

void MapValidator::checkTiles()
{
    if (tileCount <= 0)
        return;
    auto check = [this](int tile, const std::string& where) {
        if (tile < 0 || tile >= tileCount)
            report(where + "tile " + std::to_string(tile) + " does not exist");
    };
    for (std::size_t s = 0; s < map.sectors.size(); ++s) {
        check(map.sectors[s].floorTile, at("sector", s));
        check(map.sectors[s].ceilingTile, at("sector", s));
    }
    for (std::size_t w = 0; w < map.walls.size(); ++w) {
        check(map.walls[w].tile, at("wall", w));
        if (map.walls[w].otherSector != -1)
            check(map.walls[w].overTile, at("wall", w));
    }
    for (std::size_t i = 0; i < map.sprites.size(); ++i)
        check(map.sprites[i].tile, at("sprite", i));
}

bool MapValidator::inside(const MapContent& map, int s, double x, double y)
{
    const Sector& sector = map.sectors[s];
    bool in = false;
    for (int w = sector.firstWall; w < sector.firstWall + sector.wallCount; ++w) {
        int next = map.walls[w].nextPoint;
        if (next < 0 || next >= static_cast<int>(map.walls.size()))
            return false;
        const Wall& a = map.walls[w];
        const Wall& b = map.walls[next];
        double ax = a.x, ay = a.y, bx = b.x, by = b.y;
        double cross = (bx - ax) * (y - ay) - (by - ay) * (x - ax);
        bool onLine = cross == 0 && x >= std::min(ax, bx) && x <= std::max(ax, bx) && y >= std::min(ay, by) &&
                      y <= std::max(ay, by);
        if (onLine)
            return false;
        // The world's rule, in world coordinates (x mirrored).
        const Corner worldA{-ax, ay}, worldB{-bx, by};
        if (Vell3D::crossesTowardsMinusX(worldA, worldB, -x, y))
            in = !in;
    }
    return in;
}

} // namespace VellTools
