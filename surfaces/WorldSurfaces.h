// WorldSurfaces: every surface of a world that stays put, as triangles:
// each sector's floor, ceiling and solid wall pieces in the order of its
// tile groups (surfacesByTile), then the middle pieces of its openings that
// are masked, translucent or a mirror's glass, in wall order. Sprites are
// added for a viewer (face sprites turn to him), and the sky by SkyCylinder.
// Built once per world with its textures attached, without any GL: colours
// come from the world's tile set (white without one), as the view's do.
//
//   WorldSurfaces surfaces;
//   surfaces.build(world);                    // what the display lists hold
//   surfaces.addSprites(world, eye);          // the export's sprites
#pragma once

#include <cstdint>
#include <vector>

#include "surfaces/SurfaceMesh.h"

namespace Vell3D {

class TileSet;
class Vector3;
class World;
struct WallPiece;
struct WorldSprite;

class WorldSurfaces {
public:
    struct Range {
        std::uint32_t first = 0;   // in mesh().surfaces
        std::uint32_t count = 0;
    };

    void build(const World& world);
    // Every sprite that some sector holds, turned to a viewer at eye, after
    // the sectors' surfaces.
    void addSprites(const World& world, const Vector3& eye);

    const SurfaceMesh& mesh() const { return mesh_; }
    // All of the sector's surfaces, and its solid ones alone (they come first).
    Range sector(int s) const;
    Range solid(int s) const;
    // The surface of wall w's masked, translucent or mirror middle piece.
    const Surface* middle(int wall) const;
    Range sprites() const { return sprites_; }

    // The colour the view multiplies a tile by; white without a tile set.
    static SurfaceColour colour(const TileSet* tiles, int palette, int shade, std::uint8_t alpha);
    static std::uint8_t alphaByte(double alpha);
    // A wall piece's quad, when it has any height; false otherwise.
    static bool addPiece(SurfaceMesh& mesh, const WallPiece& piece, Surface surface);
    // Whether a sprite shows any quad at all: not invisible, of some size
    // and of a known kind.
    static bool showsSprite(const WorldSprite& sprite);
    // The quad a sprite shows a viewer at eye: false when it shows none
    // (showsSprite).
    static bool addSprite(SurfaceMesh& mesh, const WorldSprite& sprite, int index, const Vector3& eye,
                          const TileSet* tiles);

private:
    struct SectorRanges {
        std::uint32_t first = 0;
        std::uint32_t solid = 0;
        std::uint32_t count = 0;
    };

    void addSector(const World& world, int s, class FloorCutter& cutter);
    void addSolid(const World& world, int s, int tile, int kind, int wall, FloorCutter& cutter);
    void addMiddles(const World& world, int s);

    SurfaceMesh mesh_;
    std::vector<SectorRanges> sectors_;
    std::vector<int> middles_;        // per wall: a surface index or -1
    Range sprites_;
};

} // namespace Vell3D
