// Map: one level as read from a map file of version 7, 8 or 9 (the same
// records; the later versions allow larger tables): the player's start and
// the sector, wall and sprite tables, every record kept byte for byte as
// stored. Only the header is interpreted, and the sectors' wall ranges are
// checked not to overlap; other indices inside the records stay as read, so
// consumers must guard their own lookups.
#pragma once

#include <cstdint>
#include <vector>

#include "3d/Vector3.h"
#include "core/Object.h"
#include "core/Printable.h"
#include "mapdata/MapRecords.h"

namespace Vell {
class Stream;
class TextStream;
}

namespace Vell3D {

class Map : public Vell::Object, public Vell::Printable {
public:
    Map() = default;
    Map(const Map&) = default;
    Map(Map&&) = default;
    Map& operator=(const Map&) = default;
    Map& operator=(Map&&) = default;
    // Nothing here throws; the text-form interface promises that.
    ~Map() noexcept override {}

    // Reads a map from the stream's current position; the stream is neither
    // owned nor closed. Exception "bad map format" for a version other than 7,
    // 8 or 9; "bad map format: <what>" for a table count that is negative or
    // above its version's limits (MapLimits: "1100 sectors, version 7 allows
    // 1024"), or two sectors whose wall ranges overlap (checked before the
    // walls are read: "sectors 2 and 5 share walls"). Stream errors pass
    // through. On any failure the map keeps what it held before.
    void load(Vell::Stream& stream);

    // The three table sizes, one labelled line each.
    void print(Vell::TextStream& out) const override;

    // The file's version; 7 for a map never loaded.
    std::int32_t version() const { return fileVersion; }
    const Vector3& start() const { return startPoint; }
    std::int32_t startAngle() const { return angle; }
    std::int32_t startSector() const { return sector; }

    const std::vector<Sector>& sectors() const { return sectorTable; }
    const std::vector<Wall>& walls() const { return wallTable; }
    const std::vector<Sprite>& sprites() const { return spriteTable; }
    int sectorCount() const { return int(sectorTable.size()); }
    int wallCount() const { return int(wallTable.size()); }
    int spriteCount() const { return int(spriteTable.size()); }
    // ListException for an index outside the table.
    const Sector& sectorAt(int index) const;
    const Wall& wallAt(int index) const;
    const Sprite& spriteAt(int index) const;

private:
    std::int32_t fileVersion = oldestMapVersion;
    Vector3 startPoint;   // z already in x/y units
    std::int32_t angle = 0;
    std::int32_t sector = 0;
    std::vector<Sector> sectorTable;
    std::vector<Wall> wallTable;
    std::vector<Sprite> spriteTable;
};

// Throws Exception "bad map format: <what>", what written as printf would;
// for the loader and for the consumers that find what it does not check.
// The reason follows a colon, so that the map's name can go before it
// (rethrowNamingMap: "bad map format in e1l2.map: <what>").
[[noreturn]] void throwBadMapFormat(const char* what, ...) __attribute__((format(printf, 1, 2)));

} // namespace Vell3D
