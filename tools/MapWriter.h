// MapWriter: turns map content into the bytes of a version 7 map file.
// Counts up to 32767 are written, so tests can make maps beyond the viewers'
// limits on purpose; the validator is what enforces the limits.
#pragma once

#include "tools/ByteBuffer.h"
#include "tools/MapContent.h"

namespace VellTools {

class MapWriter {
public:
    static constexpr std::int32_t version = 7;

    // Throws Vell::Exception "map table too large" when a count needs more
    // than 16 bits.
    static Bytes bytes(const MapContent& map);
};

} // namespace VellTools
