#include "mapdata/Map.h"

#include <algorithm>
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <optional>
#include <utility>

#include "core/Exception.h"
#include "core/LittleEndian.h"
#include "core/Stream.h"
#include "core/TextStream.h"

namespace Vell3D {

static_assert(std::endian::native == std::endian::little,
              "map records are copied unchanged from the little-endian file");

namespace {

std::int16_t readInt16(Vell::Stream& stream)
{
    std::int16_t value;
    stream >> value;
    return value;
}

// The count is checked before anything is allocated or read, so a bad count
// costs nothing; the table is then read with one read. recordName: the
// singular, "sector".
template <typename Record>
std::vector<Record> readTable(Vell::Stream& stream, std::int32_t version, int limit, const char* recordName)
{
    std::int16_t count = readInt16(stream);
    if (count < 0)
        throwBadMapFormat("%s count %d", recordName, int(count));
    if (count > limit)
        throwBadMapFormat("%d %ss, version %d allows %d", int(count), recordName, int(version), limit);
    std::vector<Record> table(static_cast<std::size_t>(count));
    if (count > 0)
        stream.readFully(table.data(), int(count * sizeof(Record)));
    return table;
}

// Maps store the sectors' walls in sector order, so one pass over them
// usually settles that no two overlap; only ranges out of order are sorted.
bool wallRangesInOrder(const std::vector<Sector>& sectors)
{
    std::int32_t end = std::numeric_limits<std::int32_t>::min();
    for (const Sector& sector : sectors) {
        if (sector.wallCount <= 0)
            continue;
        if (sector.firstWall < end)
            return false;
        end = std::int32_t(sector.firstWall) + sector.wallCount;
    }
    return true;
}

struct WallClaim {
    std::int32_t first;
    std::int32_t end;
    int sector;
    bool operator<(const WallClaim& other) const
    {
        return first != other.first ? first < other.first : end < other.end;
    }
};

// A sector's walls are its own. When two sectors claim the same walls their
// loops cannot both be drawn, and a map of a thousand sectors that all claim
// the same thousands of walls would make every consumer's work grow with
// the product. Empty ranges claim nothing; ranges outside the wall table are
// left to the consumers, which guard their own lookups.
// Returns two sectors that claim a wall in common, the lower number first;
// nothing when every wall has at most one sector.
std::optional<std::pair<int, int>> sectorsSharingWalls(const std::vector<Sector>& sectors)
{
    if (wallRangesInOrder(sectors))
        return std::nullopt;
    std::vector<WallClaim> claims;
    for (std::size_t s = 0; s < sectors.size(); ++s) {
        const Sector& sector = sectors[s];
        if (sector.wallCount > 0)
            claims.push_back({sector.firstWall, std::int32_t(sector.firstWall) + sector.wallCount, int(s)});
    }
    std::sort(claims.begin(), claims.end());
    // The claim that reaches furthest so far, which any later start below
    // its end runs into.
    const WallClaim* furthest = nullptr;
    for (const WallClaim& claim : claims) {
        if (furthest && claim.first < furthest->end)
            return std::minmax(furthest->sector, claim.sector);
        if (!furthest || claim.end > furthest->end)
            furthest = &claim;
    }
    return std::nullopt;
}

template <typename Record>
const Record& recordAt(const std::vector<Record>& table, int index)
{
    if (index < 0 || std::size_t(index) >= table.size())
        throw Vell::ListException();
    return table[std::size_t(index)];
}

} // namespace

void Map::load(Vell::Stream& stream)
{
    std::int32_t version;
    stream >> version;
    // Nothing more to say: a file of another kind would only give a
    // meaningless number here.
    if (!readableMapVersion(version))
        throw Vell::Exception("bad map format");
    const MapLimits limits = mapLimits(version);

    // x, y, z (4 bytes each), angle and sector (2 bytes each).
    std::uint8_t head[16];
    stream.readFully(head, sizeof head);
    const std::int32_t x = Vell::LittleEndian::read<std::int32_t>(head);
    const std::int32_t y = Vell::LittleEndian::read<std::int32_t>(head + 4);
    const std::int32_t z = Vell::LittleEndian::read<std::int32_t>(head + 8);
    const std::int16_t newAngle = Vell::LittleEndian::read<std::int16_t>(head + 12);
    const std::int16_t newSector = Vell::LittleEndian::read<std::int16_t>(head + 14);

    auto newSectors = readTable<Sector>(stream, version, limits.sectors, "sector");
    if (const auto shared = sectorsSharingWalls(newSectors))
        throwBadMapFormat("sectors %d and %d share walls", shared->first, shared->second);
    auto newWalls = readTable<Wall>(stream, version, limits.walls, "wall");
    auto newSprites = readTable<Sprite>(stream, version, limits.sprites, "sprite");

    // Everything has been read: only now is the map changed.
    fileVersion = version;
    startPoint.x = x;
    startPoint.y = y;
    startPoint.z = z / 16;   // z units are 16 times finer; truncated toward zero
    angle = newAngle;
    sector = newSector;
    sectorTable = std::move(newSectors);
    wallTable = std::move(newWalls);
    spriteTable = std::move(newSprites);
}

void Map::print(Vell::TextStream& out) const
{
    out << "sectors    : " << long(sectorTable.size()) << "\n"
        << "walls      : " << long(wallTable.size()) << "\n"
        << "sprites    : " << long(spriteTable.size()) << "\n";
}

void throwBadMapFormat(const char* what, ...)
{
    char detail[100];
    std::va_list values;
    va_start(values, what);
    std::vsnprintf(detail, sizeof detail, what, values);
    va_end(values);
    char message[128];
    std::snprintf(message, sizeof message, "bad map format: %s", detail);
    throw Vell::Exception(message);
}

const Sector& Map::sectorAt(int index) const { return recordAt(sectorTable, index); }
const Wall& Map::wallAt(int index) const { return recordAt(wallTable, index); }
const Sprite& Map::spriteAt(int index) const { return recordAt(spriteTable, index); }

} // namespace Vell3D
