// TileSet: the palette and the directory of every tile art file of an
// archive. Tiles are numbered across the art files in order (tiles000.art,
// tiles001.art, ...); a tile's pixels stay in the archive until the first
// textureFor, which makes its texture (a current GL context is needed then).
// Surfaces drawn with a palette number take one of 16 tint colours darkened
// by their shade (surfaceColor).
//
// Two libraries: the reading (TileSet.cpp, in mapdata_files) needs no GL, so
// programs that only want sizes and colours link none; the textures
// (TileSetTextures.cpp, in mapdata) are made and kept by the GL part.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Object.h"
#include "core/Printable.h"
#include "core/String.h"
#include "gui/Color.h"

namespace Vell3D {

class GroupArchive;
class Texture;

using TileAnimation = std::uint32_t;

struct Tile {
    double textureRange[4] = {0.0, 1.0, 0.0, 1.0};  // sMin, sMax, tMin, tMax
    Texture* texture = nullptr;                     // owned by the tile set
    std::int32_t width = 0;                         // never negative
    std::int32_t height = 0;
    TileAnimation animation = 0;
    Vell::String artFile;
    std::int32_t dataOffset = 0;                    // first pixel inside the art file
};

class TileSet : public Vell::Object, public Vell::Printable {
public:
    static constexpr int paletteSize = 256;
    static constexpr int tintCount = 16;
    static constexpr int transparentIndex = 255;

    // What colour index 255 (transparent in the tiles) shows as: the 3D view
    // greys it, the plan view keeps the palette's own colour.
    enum class Index255 { grey, asStored };

    TileSet() = default;
    ~TileSet() noexcept(false) override;
    TileSet(const TileSet&) = delete;
    TileSet& operator=(const TileSet&) = delete;

    // Reads the palette (its failures pass to the caller), then the art
    // files from number 0 on until the first one that is missing or bad.
    // The archive must outlive the tile set. A missing file is the normal
    // end; a bad one is recorded in artProblem.
    void load(GroupArchive& archive, const char* baseName, const char* paletteName,
              Index255 index255 = Index255::grey);

    // The tile's record with its texture, made on first use. Numbers outside
    // the set give tile 0; a set without tiles gives a tile of size 0 with a
    // 1 x 1 grey texture. Archive errors of the pixel read pass through.
    // The reference stays valid until the next load.
    const Tile& textureFor(int number);
    // Deletes every texture made so far, in the GL context that is current
    // (the one they were made in); textureFor makes them again when asked.
    void releaseTextures();
    // Marks the textures asked for from now on (through textureFor) as in
    // use; releaseUnusedTextures then deletes the others. A view that turns
    // to another map keeps the tiles both maps show and gives back the rest.
    void beginTextureUse();
    void releaseUnusedTextures();
    // How many textures the set holds now.
    int textureCount() const;
    // The record as it stands (texture possibly null), same fallback rule;
    // for callers that only need sizes and need no GL context.
    const Tile& tile(int number) const;
    int tileCount() const { return int(tiles.size()); }
    // The tile's picture as its texture gets it, width x height RGBA texels
    // in rows from the top: the palette's colours, the transparent index
    // with alpha 0. Same fallback rule; needs no GL context. Archive errors
    // of the pixel read pass through.
    std::vector<std::uint8_t> pixels(int number) const;
    // Whether the tile's pixel in column x, row y (rows from the top) is
    // drawn: not the transparent index. False outside the tile, and for
    // every pixel of a set without tiles. The same fallback rule as tile.
    // The pixels come from the archive (no GL needed); those of the last
    // few tiles asked for are kept. Archive errors pass through.
    bool opaqueAt(int number, int x, int y);

    Vell::Color surfaceColor(int paletteNumber, int shade) const;
    const Vell::Color& paletteColor(int index) const { return palette[index & 0xFF]; }
    int shadeCount() const { return shades; }
    const Vell::String& baseName() const { return base; }
    // The art file that stopped the last load and why, as
    // "tiles003.art: bad art file"; empty when the set ended at a missing
    // file.
    const Vell::String& artProblem() const { return problem; }

    void print(Vell::TextStream& stream) const override;

    // base + decimal number with at least three digits + ".art".
    static Vell::String artFileName(const char* base, int number);

private:
    // Index of a number's record in a set with tiles: the number itself, or
    // 0 for numbers outside the set.
    std::size_t slotOf(int number) const;
    void readPalette(const char* name, Index255 index255);
    bool hasEntry(const Vell::String& name) const;
    void readArtFile(const Vell::String& name);
    std::vector<std::uint8_t> pixelsOf(const Tile& tile) const;
    void makeTexture(Tile& tile);
    // The tile's colour indices as stored, column by column; checked against
    // the art file's size before anything is allocated.
    std::vector<std::uint8_t> readPixels(const Tile& tile) const;

    // Owns the textures made so far. Only the GL part makes one
    // (OwnedTextures, TileSetTextures.cpp); this side merely lets go of it,
    // through the virtual destructor, and so never names the texture code.
    class TextureStore {
    public:
        virtual ~TextureStore() noexcept(false) = default;
    };
    class OwnedTextures;

    Vell::String base;
    Vell::String problem;
    GroupArchive* archive = nullptr;
    std::vector<Tile> tiles;
    Vell::Color palette[paletteSize];
    Vell::Color tintColors[tintCount];
    std::int32_t shades = 0;
    Tile emptyTile;    // what an empty set hands out
    // The pixels opaqueAt read last, by slot; the most recent last.
    struct KeptPixels {
        std::size_t slot;
        std::vector<std::uint8_t> indices;
    };
    std::vector<KeptPixels> keptPixels;
    // By slot (the last one for emptyTile): whether textureFor was asked
    // for the tile since beginTextureUse.
    std::vector<bool> textureAsked;
    // Null until the first texture. Not a unique_ptr: a texture still in use
    // throws "server busy" from its destructor, and that has to reach the
    // caller rather than end the program.
    TextureStore* textures = nullptr;
};

} // namespace Vell3D
