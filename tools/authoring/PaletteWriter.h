// PaletteWriter: builds a palette file: 256 colours of three bytes (0..63
// each in a real palette; any byte is written as given, so tests can probe
// out-of-range values), the shade table count, then the shade tables.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/authoring/ByteBuffer.h"

namespace VellTools {

using ShadeTable = std::array<std::uint8_t, 256>;

class PaletteWriter {
public:
    PaletteWriter() { colors.fill(0); }

    void setColor(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void addShadeTable(const ShadeTable& table) { shadeTables.push_back(table); }
    // Tables that leave every colour as it is: with many of them shade 0
    // hardly darkens anything.
    void addPlainShadeTables(int count);

    // Throws Vell::Exception "too many shade tables" above 65535 tables.
    Bytes bytes() const;

private:
    std::array<std::uint8_t, 768> colors;
    std::vector<ShadeTable> shadeTables;
};

} // namespace VellTools
