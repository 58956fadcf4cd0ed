// MapWriter: turns map content into the bytes of a map file of the content's
// version (7, 8 or 9 lay out their records alike). The version and counts up
// to 32767 are written as given, so tests can make maps beyond the viewers'
// limits on purpose; the validator is what enforces the limits.
#pragma once

#include "tools/authoring/ByteBuffer.h"
#include "tools/authoring/MapContent.h"

namespace VellTools {

class MapWriter {
public:
    // Throws Vell::Exception "map table too large" when a count needs more
    // than 16 bits.
    static Bytes bytes(const MapContent& map);
};

} // namespace VellTools
