#include "mapdata/Map.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "core/Exception.h"
#include "core/LittleEndian.h"
#include "core/Stream.h"
#include "core/TextStream.h"

namespace Vell3D {

static_assert(std::endian::native == std::endian::little,
              "map records are copied unchanged from the little-endian file");

namespace {

[[noreturn]] void badFormat()
{
    throw Vell::Exception("bad map format");
}

std::int16_t readInt16(Vell::Stream& stream)
{
    std::int16_t value;
    stream >> value;
    return value;
}

// The count is checked before anything is allocated or read, so a bad count
// costs nothing; the table is then read with one read.
template <typename Record>
std::vector<Record> readTable(Vell::Stream& stream, int limit)
{
    std::int16_t count = readInt16(stream);
    if (count < 0 || count > limit)
        badFormat();
    std::vector<Record> table(static_cast<std::size_t>(count));
    if (count > 0)
        stream.readFully(table.data(), int(count * sizeof(Record)));
    return table;
}

// A sector's walls are its own. When two sectors claim the same walls their
// loops cannot both be drawn, and a map of a thousand sectors that all claim
// the same thousands of walls would make every consumer's work grow with
// the product. Empty ranges claim nothing; ranges outside the wall table are
// left to the consumers, which guard their own lookups.
// Maps store the sectors' walls in sector order, so one pass over them
// usually settles it; only ranges out of order are sorted first.
bool wallRangesOverlap(const std::vector<Sector>& sectors)
{
    std::int32_t end = std::numeric_limits<std::int32_t>::min();
    bool inOrder = true;
    for (const Sector& sector : sectors) {
        if (sector.wallCount <= 0)
            continue;
        if (sector.firstWall < end) {
            inOrder = false;
            break;
        }
        end = std::int32_t(sector.firstWall) + sector.wallCount;
    }
    if (inOrder)
        return false;
    std::vector<std::pair<std::int32_t, std::int32_t>> ranges;
    for (const Sector& sector : sectors) {
        if (sector.wallCount > 0)
            ranges.push_back({sector.firstWall, std::int32_t(sector.firstWall) + sector.wallCount});
    }
    std::sort(ranges.begin(), ranges.end());
    std::int32_t claimedUpTo = std::numeric_limits<std::int32_t>::min();
    for (const auto& [first, end] : ranges) {
        if (first < claimedUpTo)
            return true;
        claimedUpTo = std::max(claimedUpTo, end);
    }
    return false;
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
    if (!readableMapVersion(version))
        badFormat();
    const MapLimits limits = mapLimits(version);

    // x, y, z (4 bytes each), angle and sector (2 bytes each).
    std::uint8_t head[16];
    stream.readFully(head, sizeof head);
    const std::int32_t x = Vell::LittleEndian::read<std::int32_t>(head);
    const std::int32_t y = Vell::LittleEndian::read<std::int32_t>(head + 4);
    const std::int32_t z = Vell::LittleEndian::read<std::int32_t>(head + 8);
    const std::int16_t newAngle = Vell::LittleEndian::read<std::int16_t>(head + 12);
    const std::int16_t newSector = Vell::LittleEndian::read<std::int16_t>(head + 14);

    auto newSectors = readTable<Sector>(stream, limits.sectors);
    if (wallRangesOverlap(newSectors))
        badFormat();
    auto newWalls = readTable<Wall>(stream, limits.walls);
    auto newSprites = readTable<Sprite>(stream, limits.sprites);

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

const Sector& Map::sectorAt(int index) const { return recordAt(sectorTable, index); }
const Wall& Map::wallAt(int index) const { return recordAt(wallTable, index); }
const Sprite& Map::spriteAt(int index) const { return recordAt(spriteTable, index); }

} // namespace Vell3D
