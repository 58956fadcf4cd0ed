// A map as the viewers would read it from a file: written by the map writer
// and loaded by the real loader, from memory.
#pragma once

#include "mapdata/Map.h"
#include "tests/support/MemoryStream.h"
#include "tools/authoring/MapContent.h"
#include "tools/authoring/MapWriter.h"

namespace TestSupport {

inline Vell3D::Map loadMap(const VellTools::MapContent& content)
{
    MemoryStream stream(VellTools::MapWriter::bytes(content));
    Vell3D::Map map;
    map.load(stream);
    return map;
}

} // namespace TestSupport
