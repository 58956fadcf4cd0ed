#include "MapdataFiles.h"

using namespace Vell3D;

namespace MapdataFiles {

Bytes MapImage::bytes() const
{
    VellTools::ByteBuffer out;
    out.put32(std::uint32_t(version));
    out.put32(std::uint32_t(x));
    out.put32(std::uint32_t(y));
    out.put32(std::uint32_t(z));
    out.put16(angle);
    out.put16(sector);
    out.put16(std::uint16_t(sectorCount.value_or(std::int16_t(sectors.size()))));
    out.putBytes(sectors.data(), sectors.size() * sizeof(Sector));
    out.put16(std::uint16_t(wallCount.value_or(std::int16_t(walls.size()))));
    out.putBytes(walls.data(), walls.size() * sizeof(Wall));
    out.put16(std::uint16_t(spriteCount.value_or(std::int16_t(sprites.size()))));
    out.putBytes(sprites.data(), sprites.size() * sizeof(Sprite));
    return out.take();
}

MapImage numberedMap(int sectors, int walls, int sprites, int seed)
{
    MapImage map;
    map.sectors.resize(std::size_t(sectors));
    for (int i = 0; i < sectors; ++i) {
        map.sectors[std::size_t(i)].floorZ = seed * 100000 + i;
        map.sectors[std::size_t(i)].extra = std::int16_t(-i);
    }
    map.walls.resize(std::size_t(walls));
    for (int i = 0; i < walls; ++i) {
        map.walls[std::size_t(i)].x = seed * 100000 + i;
        map.walls[std::size_t(i)].nextPoint = std::int16_t(i + 1);
    }
    map.sprites.resize(std::size_t(sprites));
    for (int i = 0; i < sprites; ++i) {
        map.sprites[std::size_t(i)].z = seed * 100000 + i;
        map.sprites[std::size_t(i)].extra = std::int16_t(0x7000 + i);
    }
    return map;
}

Bytes archiveWith(const std::vector<std::pair<std::string, Bytes>>& entries)
{
    VellTools::GroupWriter writer;
    for (const auto& [name, data] : entries)
        writer.add(name, data);
    return writer.bytes();
}

} // namespace MapdataFiles
