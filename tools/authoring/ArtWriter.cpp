#include "tools/authoring/ArtWriter.h"

#include "core/Exception.h"

namespace VellTools {

void ArtWriter::add(ArtTile tile)
{
    bool sizeOk = tile.width >= 0 && tile.height >= 0 && tile.width <= 32767 && tile.height <= 32767;
    if (!sizeOk || tile.pixels.size() != static_cast<std::size_t>(tile.width) * tile.height)
        throw Vell::Exception("bad tile size");
    tiles.push_back(std::move(tile));
}

Bytes ArtWriter::bytes() const
{
    ByteBuffer out;
    out.put32(version);
    out.put32(static_cast<std::uint32_t>(last() + 1));
    out.put32(static_cast<std::uint32_t>(first()));
    out.put32(static_cast<std::uint32_t>(last()));
    for (const ArtTile& tile : tiles)
        out.put16(static_cast<std::uint32_t>(tile.width));
    for (const ArtTile& tile : tiles)
        out.put16(static_cast<std::uint32_t>(tile.height));
    for (const ArtTile& tile : tiles)
        out.put32(tile.animation);
    for (const ArtTile& tile : tiles)
        out.putBytes(tile.pixels);
    return out.take();
}

} // namespace VellTools
