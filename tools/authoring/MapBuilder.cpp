#include "tools/authoring/MapBuilder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "core/Exception.h"

namespace VellTools {

std::int64_t loopArea2(const std::vector<MapPoint>& loop)
{
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        const MapPoint& a = loop[i];
        const MapPoint& b = loop[(i + 1) % loop.size()];
        sum += std::int64_t(a.x) * b.y - std::int64_t(b.x) * a.y;
    }
    return sum;
}

namespace {

std::uint8_t fittedRepeat(const Wall& from, const Wall& to)
{
    double length = std::hypot(double(to.x) - from.x, double(to.y) - from.y);
    return static_cast<std::uint8_t>(std::clamp(std::lround(length / 16), 1L, 255L));
}

} // namespace

MapBuilder::MapBuilder() : sectorDefaults{}, wallDefaults{}, spriteDefaults{}
{
    sectorDefaults.visibility = 0;
    wallDefaults.otherWall = -1;
    wallDefaults.otherSector = -1;
    wallDefaults.repeatX = 8;
    wallDefaults.repeatY = 8;
    spriteDefaults.repeatX = 64;
    spriteDefaults.repeatY = 64;
    spriteDefaults.owner = -1;
}

std::vector<Wall> MapBuilder::makeLoop(const std::vector<MapPoint>& points) const
{
    if (points.size() < 3)
        throw Vell::Exception("loop needs three points");
    std::vector<Wall> loop;
    for (const MapPoint& p : points) {
        Wall wall = wallDefaults;
        wall.x = p.x;
        wall.y = p.y;
        wall.otherWall = -1;
        wall.otherSector = -1;
        loop.push_back(wall);
    }
    return loop;
}

int MapBuilder::addSector(const std::vector<MapPoint>& loop, std::int32_t floorZ, std::int32_t ceilingZ)
{
    if (loopArea2(loop) <= 0)
        throw Vell::Exception("outer loop must wind clockwise on screen");
    SectorDraft draft;
    draft.record = sectorDefaults;
    draft.record.floorZ = floorZ;
    draft.record.ceilingZ = ceilingZ;
    draft.loops.push_back(makeLoop(loop));
    sectors.push_back(std::move(draft));
    return static_cast<int>(sectors.size()) - 1;
}

void MapBuilder::addInnerLoop(int sectorIndex, const std::vector<MapPoint>& loop)
{
    if (loopArea2(loop) >= 0)
        throw Vell::Exception("inner loop must wind counter-clockwise on screen");
    sector(sectorIndex);
    sectors[sectorIndex].loops.push_back(makeLoop(loop));
}

Sector& MapBuilder::sector(int index)
{
    if (index < 0 || index >= sectorCount())
        throw Vell::Exception("no such sector");
    return sectors[index].record;
}

int MapBuilder::wallCount(int sectorIndex) const
{
    if (sectorIndex < 0 || sectorIndex >= sectorCount())
        throw Vell::Exception("no such sector");
    int count = 0;
    for (const auto& loop : sectors[sectorIndex].loops)
        count += static_cast<int>(loop.size());
    return count;
}

Wall& MapBuilder::wall(int sectorIndex, int wallInSector)
{
    sector(sectorIndex);
    int n = wallInSector;
    for (auto& loop : sectors[sectorIndex].loops) {
        if (n >= 0 && n < static_cast<int>(loop.size()))
            return loop[n];
        n -= static_cast<int>(loop.size());
    }
    throw Vell::Exception("no such wall");
}

Wall& MapBuilder::wallFrom(int sectorIndex, std::int32_t x, std::int32_t y)
{
    sector(sectorIndex);
    for (auto& loop : sectors[sectorIndex].loops)
        for (Wall& w : loop)
            if (w.x == x && w.y == y)
                return w;
    throw Vell::Exception("no wall starts there");
}

int MapBuilder::addSprite(int sectorIndex, std::int32_t x, std::int32_t y, std::int32_t z, std::int16_t tile,
                          std::uint16_t flags)
{
    sector(sectorIndex);
    Sprite s = spriteDefaults;
    s.x = x;
    s.y = y;
    s.z = z;
    s.tile = tile;
    s.flags = flags;
    s.sector = static_cast<std::int16_t>(sectorIndex);
    sprites.push_back(s);
    return static_cast<int>(sprites.size()) - 1;
}

Sprite& MapBuilder::sprite(int index)
{
    if (index < 0 || index >= static_cast<int>(sprites.size()))
        throw Vell::Exception("no such sprite");
    return sprites[index];
}

void MapBuilder::setStart(std::int32_t x, std::int32_t y, std::int32_t z, std::int16_t angle, int sectorIndex)
{
    header.startX = x;
    header.startY = y;
    header.startZ = z;
    header.startAngle = angle;
    header.startSector = static_cast<std::int16_t>(sectorIndex);
}

void MapBuilder::layOutWalls(MapContent& map) const
{
    for (const SectorDraft& draft : sectors) {
        Sector record = draft.record;
        std::size_t first = map.walls.size();
        for (const auto& loop : draft.loops) {
            std::size_t loopStart = map.walls.size();
            for (std::size_t i = 0; i < loop.size(); ++i) {
                Wall w = loop[i];
                std::size_t next = (i + 1 < loop.size()) ? map.walls.size() + 1 : loopStart;
                w.nextPoint = static_cast<std::int16_t>(next);
                if (w.repeatX == 0)
                    w.repeatX = fittedRepeat(w, loop[(i + 1) % loop.size()]);
                map.walls.push_back(w);
            }
        }
        if (map.walls.size() > 32767)
            throw Vell::Exception("map table too large");
        record.firstWall = static_cast<std::int16_t>(first);
        record.wallCount = static_cast<std::int16_t>(map.walls.size() - first);
        map.sectors.push_back(record);
    }
}

void MapBuilder::keepSolid(int sectorIndex, std::int32_t x, std::int32_t y)
{
    wallFrom(sectorIndex, x, y);
    solidWalls.insert({sectorIndex, x, y});
}

void MapBuilder::joinOpenings(MapContent& map) const
{
    std::vector<std::int16_t> owner(map.walls.size());
    for (std::size_t s = 0; s < map.sectors.size(); ++s)
        for (int i = 0; i < map.sectors[s].wallCount; ++i)
            owner[map.sectors[s].firstWall + i] = static_cast<std::int16_t>(s);

    using Segment = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t>;
    std::map<Segment, std::size_t> bySegment;
    for (std::size_t w = 0; w < map.walls.size(); ++w) {
        const Wall& a = map.walls[w];
        const Wall& b = map.walls[a.nextPoint];
        if (!bySegment.emplace(Segment{a.x, a.y, b.x, b.y}, w).second)
            throw Vell::Exception("two walls on the same segment");
    }
    for (std::size_t w = 0; w < map.walls.size(); ++w) {
        Wall& a = map.walls[w];
        const Wall& b = map.walls[a.nextPoint];
        auto back = bySegment.find(Segment{b.x, b.y, a.x, a.y});
        if (back == bySegment.end() || owner[back->second] == owner[w])
            continue;
        const Wall& b2 = map.walls[back->second];
        if (solidWalls.count({owner[w], a.x, a.y}) || solidWalls.count({owner[back->second], b2.x, b2.y}))
            continue;
        a.otherWall = static_cast<std::int16_t>(back->second);
        a.otherSector = owner[back->second];
    }
}

MapContent MapBuilder::build() const
{
    if (sectors.size() > 32767 || sprites.size() > 32767)
        throw Vell::Exception("map table too large");
    MapContent map = header;
    map.sectors.clear();
    map.walls.clear();
    map.sprites = sprites;
    layOutWalls(map);
    joinOpenings(map);
    return map;
}

} // namespace VellTools
