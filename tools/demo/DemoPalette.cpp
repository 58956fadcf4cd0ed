#include "tools/demo/DemoPalette.h"

#include "tools/authoring/PaletteWriter.h"

namespace VellTools {

namespace {

// Full-brightness colour of each ramp, in the palette's 0..63 range.
const std::uint8_t rampColors[16][3] = {
    {63, 63, 63}, {58, 26, 18}, {46, 46, 50}, {50, 34, 18}, {40, 46, 54}, {24, 52, 16},
    {12, 30, 56}, {34, 46, 63}, {63, 56, 30}, {63, 12, 8},  {44, 20, 54}, {16, 54, 54},
    {63, 38, 8},  {10, 34, 20}, {63, 60, 52}, {63, 30, 48}};

ShadeTable shadeTable(int shade)
{
    ShadeTable table{};
    for (int i = 0; i < 256; ++i) {
        int ramp = i / 16, level = i % 16;
        table[i] = static_cast<std::uint8_t>(ramp * 16 + level * (demoShadeTables - shade) / demoShadeTables);
    }
    table[transparentIndex] = transparentIndex;
    return table;
}

} // namespace

Bytes demoPaletteFile()
{
    PaletteWriter palette;
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t* c = rampColors[i / 16];
        int level = i % 16 + 1;
        palette.setColor(i, static_cast<std::uint8_t>(c[0] * level / 16), static_cast<std::uint8_t>(c[1] * level / 16),
                         static_cast<std::uint8_t>(c[2] * level / 16));
    }
    // Magenta, so a transparent pixel drawn by mistake stands out.
    palette.setColor(transparentIndex, 63, 0, 63);
    for (int shade = 0; shade < demoShadeTables; ++shade)
        palette.addShadeTable(shadeTable(shade));
    return palette.bytes();
}

} // namespace VellTools
