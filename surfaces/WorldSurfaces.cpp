#include "surfaces/WorldSurfaces.h"

#include "mapdata/MapFlags.h"
#include "mapdata/TileSet.h"
#include "surfaces/FloorCutter.h"
#include "world/World.h"

namespace Vell3D {

namespace {

// What the view lays over a mirror's reflection: the glass tile in white at
// about a quarter strength.
constexpr SurfaceColour glassColour{255, 255, 255, 64};

SurfaceVertex vertexOf(const Vector3& p, const Vector2& t)
{
    return SurfaceVertex{p.x, p.y, p.z, t.x, t.y};
}

void addCorners(SurfaceMesh& mesh, const Vector3 corners[4], const Vector2 texCoords[4])
{
    mesh.addQuad(vertexOf(corners[0], texCoords[0]), vertexOf(corners[1], texCoords[1]),
                 vertexOf(corners[2], texCoords[2]), vertexOf(corners[3], texCoords[3]));
}

DrawKind blendedKind(double alpha)
{
    return alpha < 1.0 ? DrawKind::translucent : DrawKind::masked;
}

} // namespace

SurfaceColour WorldSurfaces::colour(const TileSet* tiles, int palette, int shade, std::uint8_t alpha)
{
    if (!tiles)
        return SurfaceColour{255, 255, 255, alpha};
    const Vell::Color c = tiles->surfaceColor(palette, shade);
    return SurfaceColour{c.red, c.green, c.blue, alpha};
}

std::uint8_t WorldSurfaces::alphaByte(double alpha)
{
    if (!(alpha > 0.0))
        return 0;
    if (alpha >= 1.0)
        return 255;
    return std::uint8_t(alpha * 255.0);
}

bool WorldSurfaces::addPiece(SurfaceMesh& mesh, const WallPiece& piece, Surface surface)
{
    if (!piece.hasHeight())
        return false;
    mesh.begin(surface);
    addCorners(mesh, piece.corners, piece.texCoords);
    return true;
}

bool WorldSurfaces::showsSprite(const WorldSprite& sprite)
{
    return !(sprite.flags & spriteInvisible) && sprite.kind != spriteKindNone && sprite.width > 0.0 &&
           sprite.height > 0.0;
}

bool WorldSurfaces::addSprite(SurfaceMesh& mesh, const WorldSprite& sprite, int index, const Vector3& eye,
                              const TileSet* tiles)
{
    if (!showsSprite(sprite))
        return false;
    WorldSprite placed = sprite;
    if (placed.kind == spriteKindFace)
        placed.faceCamera(eye);
    Surface surface;
    surface.tile = sprite.tile;
    surface.kind = blendedKind(sprite.alpha);
    surface.part = partSprite;
    surface.index = index;
    surface.colour = colour(tiles, sprite.palette, sprite.shade, alphaByte(sprite.alpha));
    mesh.begin(surface);
    addCorners(mesh, placed.corners, placed.texCoords);
    return true;
}

void WorldSurfaces::build(const World& world)
{
    mesh_.clear();
    sectors_.assign(world.sectors.size(), SectorRanges{});
    middles_.assign(world.walls.size(), -1);
    sprites_ = Range{};
    FloorCutter cutter;
    for (std::size_t s = 0; s < world.sectors.size(); ++s)
        addSector(world, int(s), cutter);
}

void WorldSurfaces::addSector(const World& world, int s, FloorCutter& cutter)
{
    SectorRanges& ranges = sectors_[std::size_t(s)];
    ranges.first = std::uint32_t(mesh_.surfaces.size());
    for (const SurfaceEntry& entry : world.sectors[std::size_t(s)].surfacesByTile)
        for (const SurfaceUse& use : entry.uses)
            addSolid(world, s, entry.tile, use.kind, use.wall, cutter);
    ranges.solid = std::uint32_t(mesh_.surfaces.size()) - ranges.first;
    addMiddles(world, s);
    ranges.count = std::uint32_t(mesh_.surfaces.size()) - ranges.first;
}

// One use of a tile group: a floor or ceiling that is not sky, or a wall
// piece drawn in the solid pass.
void WorldSurfaces::addSolid(const World& world, int s, int tile, int kind, int wall, FloorCutter& cutter)
{
    const WorldSector& sector = world.sectors[std::size_t(s)];
    const TileSet* tiles = world.textureCache;
    Surface surface;
    surface.tile = tile;
    surface.part = std::uint8_t(kind);
    if (kind == surfaceFloor || kind == surfaceCeiling) {
        const bool floor = kind == surfaceFloor;
        if (floor ? sector.floorParallax : sector.ceilingParallax)
            return;
        surface.colour = floor ? colour(tiles, sector.floorPalette, sector.floorShade, 255)
                               : colour(tiles, sector.ceilingPalette, sector.ceilingShade, 255);
        mesh_.begin(surface);
        cutter.cut(world, sector, floor, mesh_);
        if (mesh_.surfaces.back().count == 0)
            mesh_.surfaces.pop_back();
        return;
    }
    if (!inRange(wall, world.walls.size()))
        return;
    const WorldWall& w = world.walls[std::size_t(wall)];
    const WallPiece& piece = kind == surfaceMiddle ? w.middle : kind == surfaceUpper ? w.upper : w.lower;
    if ((piece.flags & pieceMirror) || !(piece.flags & pieceSolid))
        return;
    surface.index = wall;
    surface.colour = colour(tiles, piece.palette, piece.shade, alphaByte(piece.alpha));
    addPiece(mesh_, piece, surface);
}

void WorldSurfaces::addMiddles(const World& world, int s)
{
    for (int w : world.sectors[std::size_t(s)].walls) {
        if (!inRange(w, world.walls.size()))
            continue;
        const WallPiece& piece = world.walls[std::size_t(w)].middle;
        Surface surface;
        surface.part = surfaceMiddle;
        surface.index = w;
        if (piece.flags & pieceMirror) {
            surface.tile = SpecialTiles::mirrorGlass;
            surface.kind = DrawKind::mirror;
            surface.colour = glassColour;
        } else if (piece.flags & pieceMasked) {
            surface.tile = piece.tile;
            surface.kind = blendedKind(piece.alpha);
            surface.colour = colour(world.textureCache, piece.palette, piece.shade, alphaByte(piece.alpha));
        } else {
            continue;
        }
        if (addPiece(mesh_, piece, surface))
            middles_[std::size_t(w)] = int(mesh_.surfaces.size()) - 1;
    }
}

void WorldSurfaces::addSprites(const World& world, const Vector3& eye)
{
    sprites_.first = std::uint32_t(mesh_.surfaces.size());
    for (const WorldSector& sector : world.sectors)
        for (int i : sector.sprites)
            if (inRange(i, world.sprites.size()))
                addSprite(mesh_, world.sprites[std::size_t(i)], i, eye, world.textureCache);
    sprites_.count = std::uint32_t(mesh_.surfaces.size()) - sprites_.first;
}

WorldSurfaces::Range WorldSurfaces::sector(int s) const
{
    if (!inRange(s, sectors_.size()))
        return Range{};
    return Range{sectors_[std::size_t(s)].first, sectors_[std::size_t(s)].count};
}

WorldSurfaces::Range WorldSurfaces::solid(int s) const
{
    if (!inRange(s, sectors_.size()))
        return Range{};
    return Range{sectors_[std::size_t(s)].first, sectors_[std::size_t(s)].solid};
}

const Surface* WorldSurfaces::middle(int wall) const
{
    if (!inRange(wall, middles_.size()) || middles_[std::size_t(wall)] < 0)
        return nullptr;
    return &mesh_.surfaces[std::size_t(middles_[std::size_t(wall)])];
}

} // namespace Vell3D
