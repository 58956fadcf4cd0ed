// Files for the archive and map tests: a scratch folder per test, whole
// file writing, and a map image whose header fields and counts can be set freely
// (malformed maps are the point of many tests).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/FileOutput.h"
#include "mapdata/MapRecords.h"
#include "tests/support/ScratchFolder.h"
#include "tools/authoring/ByteBuffer.h"
#include "tools/authoring/GroupWriter.h"

namespace MapdataFiles {

using VellTools::Bytes;

using TestSupport::ScratchFolder;
using Vell::writeFile;

// A map file, version 7 unless set. The stored counts follow the tables
// unless set on purpose.
struct MapImage {
    std::int32_t version = 7;
    std::int32_t x = 0, y = 0, z = 0;
    std::uint16_t angle = 0, sector = 0;
    std::vector<Vell3D::Sector> sectors;
    std::vector<Vell3D::Wall> walls;
    std::vector<Vell3D::Sprite> sprites;
    std::optional<std::int16_t> sectorCount, wallCount, spriteCount;

    Bytes bytes() const;
};

// A map with the given table sizes whose records are numbered so that tables
// from different maps differ.
MapImage numberedMap(int sectors, int walls, int sprites, int seed = 0);

Bytes archiveWith(const std::vector<std::pair<std::string, Bytes>>& entries);

} // namespace MapdataFiles
