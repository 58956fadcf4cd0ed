// MapContent: everything a map file holds, as plain data, for the writer,
// the builder and the validator. Start z is in file units (16 per x/y unit).
#pragma once

#include <cstdint>
#include <vector>

#include "mapdata/MapRecords.h"

namespace VellTools {

// The tools build and read the viewers' own records, and their bits by the
// same names.
using Vell3D::Sector;
using Vell3D::Sprite;
using Vell3D::Wall;
using Vell3D::MapLimits;
using Vell3D::mapLimits;
using Vell3D::readableMapVersion;
namespace SurfaceBits = Vell3D::SurfaceBits;
namespace WallBits = Vell3D::WallBits;
namespace SpriteBits = Vell3D::SpriteBits;
namespace SpecialTiles = Vell3D::SpecialTiles;

struct MapContent {
    std::int32_t version = 7;    // 8 and 9 allow larger tables (MapLimits)
    std::int32_t startX = 0;
    std::int32_t startY = 0;
    std::int32_t startZ = 0;
    std::int16_t startAngle = 0;
    std::int16_t startSector = 0;
    std::vector<Sector> sectors;
    std::vector<Wall> walls;
    std::vector<Sprite> sprites;
};

} // namespace VellTools
