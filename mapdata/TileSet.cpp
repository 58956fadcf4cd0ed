#include "mapdata/TileSet.h"

#include <algorithm>
#include <cstdio>

#include "core/Exception.h"
#include "core/LittleEndian.h"
#include "core/TextStream.h"
#include "mapdata/GroupEntryStream.h"

namespace Vell3D {

namespace {

struct Tint {
    std::uint8_t red, green, blue;
};

constexpr Tint tints[TileSet::tintCount] = {
    {255, 255, 255}, {160, 160, 255}, {255, 120, 64}, {255, 255, 255}, {32, 32, 32},    {255, 255, 255},
    {160, 176, 96},  {240, 176, 32},  {208, 240, 160}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255},
    {255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255},
};

std::int32_t read32(const std::uint8_t* p)
{
    return Vell::LittleEndian::read<std::int32_t>(p);
}

std::int16_t read16(const std::uint8_t* p)
{
    return Vell::LittleEndian::read<std::int16_t>(p);
}

} // namespace

TileSet::~TileSet() noexcept(false)
{
    releaseTextures();
}

void TileSet::releaseTextures()
{
    for (Tile& tile : tiles)
        tile.texture = nullptr;
    emptyTile.texture = nullptr;
    TextureStore* made = textures;
    textures = nullptr;
    delete made;
}

void TileSet::load(GroupArchive& groupArchive, const char* baseName, const char* paletteName, Index255 index255)
{
    base = baseName;
    archive = &groupArchive;
    readPalette(paletteName, index255);
    releaseTextures();
    tiles.clear();
    textureAsked.clear();
    keptPixels.clear();
    problem = Vell::String();
    // Art files are numbered without gaps; the first one that is missing or
    // unreadable ends the set, and the tiles read so far stay usable.
    for (int i = 0;; ++i) {
        const Vell::String name = artFileName(baseName, i);
        if (!hasEntry(name))
            break;
        try {
            readArtFile(name);
        } catch (Vell::Exception& e) {
            problem = name + ": " + e.message();
            break;
        }
    }
}

bool TileSet::hasEntry(const Vell::String& name) const
{
    try {
        archive->findEntry(name.text());
        return true;
    } catch (Vell::Exception&) {
        return false;
    }
}

void TileSet::readPalette(const char* name, Index255 index255)
{
    GroupEntryStream stream(name, *archive);
    std::uint8_t raw[768];
    std::uint8_t count[2];
    std::uint8_t shadeTable[256];
    stream.readFully(raw, sizeof raw);
    stream.readFully(count, sizeof count);
    stream.readFully(shadeTable, sizeof shadeTable);

    shades = Vell::LittleEndian::read<std::uint16_t>(count);
    for (int i = 0; i < paletteSize; ++i) {
        const std::uint8_t* rgb = raw + 3 * shadeTable[i];
        // Six-bit components; the shift drops anything above 63 on purpose.
        palette[i] = Vell::Color(std::uint8_t(rgb[0] << 2), std::uint8_t(rgb[1] << 2), std::uint8_t(rgb[2] << 2));
    }
    if (index255 == Index255::grey)
        palette[transparentIndex] = Vell::Color(std::uint8_t(128), std::uint8_t(128), std::uint8_t(128));
    for (int i = 0; i < tintCount; ++i)
        tintColors[i] = Vell::Color(tints[i].red, tints[i].green, tints[i].blue);
}

void TileSet::readArtFile(const Vell::String& name)
{
    GroupEntryStream stream(name.text(), *archive);
    std::uint8_t header[16];
    stream.readFully(header, sizeof header);
    if (read32(header) != 1)
        throw Vell::Exception("bad art file");
    // Counted in 64 bits: first and last are whatever the file says.
    const std::int64_t count = std::int64_t(read32(header + 12)) - read32(header + 8) + 1;
    if (count < 1 || 16 + 8 * count > stream.size())
        throw Vell::Exception("bad art file");

    const int n = int(count);
    std::vector<std::uint8_t> widths(std::size_t(2 * n));
    std::vector<std::uint8_t> heights(std::size_t(2 * n));
    std::vector<std::uint8_t> animations(std::size_t(4 * n));
    stream.readFully(widths.data(), 2 * n);
    stream.readFully(heights.data(), 2 * n);
    stream.readFully(animations.data(), 4 * n);

    std::vector<Tile> fileTiles(static_cast<std::size_t>(n));
    std::int64_t offset = 16 + 8 * count;
    for (int k = 0; k < n; ++k) {
        if (offset > INT32_MAX)
            throw Vell::Exception("bad art file");
        Tile& tile = fileTiles[std::size_t(k)];
        // A negative side is nonsense in a picture; it counts as empty.
        tile.width = std::max<std::int32_t>(0, read16(&widths[std::size_t(2 * k)]));
        tile.height = std::max<std::int32_t>(0, read16(&heights[std::size_t(2 * k)]));
        tile.animation = TileAnimation(read32(&animations[std::size_t(4 * k)]));
        tile.artFile = name;
        tile.dataOffset = std::int32_t(offset);
        offset += std::int64_t(tile.width) * tile.height;
    }
    tiles.insert(tiles.end(), fileTiles.begin(), fileTiles.end());
}

std::size_t TileSet::slotOf(int number) const
{
    return number < 0 || number >= int(tiles.size()) ? 0 : std::size_t(number);
}

const Tile& TileSet::tile(int number) const
{
    return tiles.empty() ? emptyTile : tiles[slotOf(number)];
}

std::vector<std::uint8_t> TileSet::readPixels(const Tile& tile) const
{
    const std::int64_t count = std::int64_t(tile.width) * tile.height;
    std::vector<std::uint8_t> indices;
    if (count <= 0)
        return indices;
    GroupEntryStream stream(tile.artFile.text(), *archive);
    // Checked before anything is allocated for the picture: a tile can
    // claim up to 32767 x 32767 pixels in an entry of a few bytes.
    if (tile.dataOffset + count > stream.size())
        throw Vell::Exception("bad size while read");
    indices.resize(std::size_t(count));
    stream.seek(tile.dataOffset, 0);
    stream.readFully(indices.data(), int(count));
    return indices;
}

std::vector<std::uint8_t> TileSet::pixels(int number) const
{
    return pixelsOf(tile(number));
}

std::vector<std::uint8_t> TileSet::pixelsOf(const Tile& tile) const
{
    const std::vector<std::uint8_t> indices = readPixels(tile);

    // Stored column by column; pictures go in rows from the top.
    std::vector<std::uint8_t> rgba(indices.size() * 4);
    for (int y = 0; y < tile.height; ++y) {
        for (int x = 0; x < tile.width; ++x) {
            std::uint8_t index = indices[std::size_t(x) * std::size_t(tile.height) + std::size_t(y)];
            const Vell::Color& color = palette[index];
            std::uint8_t* texel = &rgba[(std::size_t(y) * std::size_t(tile.width) + std::size_t(x)) * 4];
            texel[0] = color.red;
            texel[1] = color.green;
            texel[2] = color.blue;
            texel[3] = index == transparentIndex ? 0 : 255;
        }
    }
    return rgba;
}

bool TileSet::opaqueAt(int number, int x, int y)
{
    // Enough for the few sprites one line of sight may cross.
    constexpr std::size_t keptTiles = 8;
    if (tiles.empty())
        return false;
    const std::size_t slot = slotOf(number);
    const Tile& record = tiles[slot];
    if (x < 0 || y < 0 || x >= record.width || y >= record.height)
        return false;
    auto kept = std::find_if(keptPixels.begin(), keptPixels.end(),
                             [&](const KeptPixels& entry) { return entry.slot == slot; });
    if (kept == keptPixels.end()) {
        KeptPixels entry{slot, readPixels(record)};
        if (keptPixels.size() >= keptTiles)
            keptPixels.erase(keptPixels.begin());
        keptPixels.push_back(std::move(entry));
        kept = keptPixels.end() - 1;
    }
    return kept->indices[std::size_t(x) * std::size_t(record.height) + std::size_t(y)] != transparentIndex;
}

Vell::Color TileSet::surfaceColor(int paletteNumber, int shade) const
{
    if (paletteNumber < 0 || paletteNumber >= tintCount)
        paletteNumber = 0;
    if (shade < 0)
        shade = -3;
    if (shade > shades)
        shade = shades;
    const double factor = double(shades - shade) / double(shades + 3);
    const Vell::Color& tint = tintColors[paletteNumber];
    return Vell::Color(std::uint8_t(tint.red * factor), std::uint8_t(tint.green * factor),
                       std::uint8_t(tint.blue * factor));
}

void TileSet::print(Vell::TextStream& stream) const
{
    // No line end after the base name: stored outputs hold this exact text.
    stream << "base name   : " << base << "tiles count : " << tileCount() << "\n";
}

Vell::String TileSet::artFileName(const char* baseName, int number)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d.art", number);
    return Vell::String(baseName) + Vell::String(digits);
}

} // namespace Vell3D
