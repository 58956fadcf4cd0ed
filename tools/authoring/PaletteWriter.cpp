#include "tools/authoring/PaletteWriter.h"

#include "core/Exception.h"

namespace VellTools {

void PaletteWriter::setColor(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    if (index < 0 || index > 255)
        throw Vell::Exception("bad colour index");
    colors[index * 3] = red;
    colors[index * 3 + 1] = green;
    colors[index * 3 + 2] = blue;
}

void PaletteWriter::addPlainShadeTables(int count)
{
    ShadeTable plain;
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = std::uint8_t(i);
    for (int t = 0; t < count; ++t)
        addShadeTable(plain);
}

Bytes PaletteWriter::bytes() const
{
    if (shadeTables.size() > 65535)
        throw Vell::Exception("too many shade tables");
    ByteBuffer out;
    out.putBytes(colors.data(), colors.size());
    out.put16(static_cast<std::uint32_t>(shadeTables.size()));
    for (const ShadeTable& table : shadeTables)
        out.putBytes(table.data(), table.size());
    return out.take();
}

} // namespace VellTools
