#include "tools/authoring/MapWriter.h"

#include <bit>

#include "core/Exception.h"

namespace VellTools {

// The records are kept in the file's own layout, so a table is copied as it
// lies in memory; that is only the file's byte order on a little-endian host.
static_assert(std::endian::native == std::endian::little, "map records are stored little-endian");

namespace {

template <typename Record>
void putTable(ByteBuffer& out, const std::vector<Record>& table)
{
    if (table.size() > 32767)
        throw Vell::Exception("map table too large");
    out.put16(static_cast<std::uint32_t>(table.size()));
    if (!table.empty())
        out.putBytes(table.data(), table.size() * sizeof(Record));
}

} // namespace

Bytes MapWriter::bytes(const MapContent& map)
{
    ByteBuffer out;
    out.put32(static_cast<std::uint32_t>(map.version));
    out.put32(static_cast<std::uint32_t>(map.startX));
    out.put32(static_cast<std::uint32_t>(map.startY));
    out.put32(static_cast<std::uint32_t>(map.startZ));
    out.put16(static_cast<std::uint16_t>(map.startAngle));
    out.put16(static_cast<std::uint16_t>(map.startSector));
    putTable(out, map.sectors);
    putTable(out, map.walls);
    putTable(out, map.sprites);
    return out.take();
}

} // namespace VellTools
