// Building the world from a map: sectors with their planes, walls with their
// pieces, wall points, surface lists and sprites. Every index read from the
// map is checked before it is used: a map whose wall ranges or loop links
// leave the wall table cannot be drawn at all and is refused, while broken
// neighbour links and stray sector numbers only degrade (solid walls,
// sprites in no sector, a start outside every sector).
#include "world/World.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "core/Exception.h"
#include "mapdata/Map.h"

namespace Vell3D {

namespace {

constexpr double degreesPerRadian = 180.0 / std::numbers::pi;

Vector3 mapPosition(const Wall& wall, double z = 0.0)
{
    return Vector3(-double(wall.x), double(wall.y), z);
}

double mapHeight(std::int32_t z)
{
    return double(z) * -0.0625;
}

// The tilt of a sloped surface, in radians; negative for slopes <= 0.
double tiltAngle(bool sloped, std::int16_t slopeValue)
{
    double slope = sloped ? double(slopeValue) : 0.0;
    double tilt = std::atan(std::fabs(slope) / 4096.0);
    return slope <= 0.0 ? -tilt : tilt;
}

// The plane through a, tilted from the reference normal about a -> b. A first
// wall without length has no axis and leaves the surface flat.
Plane surfacePlane(const Vector3& a, const Vector3& b, double tilt, const Vector3& reference)
{
    Vector3 axis = b.minus(a);
    Matrix4 turn = Matrix4::rotation(tilt * degreesPerRadian, axis.x, axis.y, axis.z);
    Vector3 normal = turn.transformPoint(reference);
    return Plane(normal.x, normal.y, normal.z, -normal.dot(a));
}

int heightClass(double height)
{
    if (height >= 0.5)
        return -1;
    if (height <= -0.5)
        return 1;
    return 0;
}

// Cuts a piece whose top and bottom edges cross down to the part where the
// top is above the bottom; a piece without such a part loses its corners.
void clipPiece(WallPiece& piece)
{
    Vector3* c = piece.corners;
    int startClass = heightClass(c[1].z - c[2].z);
    int endClass = heightClass(c[0].z - c[3].z);
    if (startClass != -1 && endClass != -1) {
        for (int i = 0; i < 4; ++i)
            c[i] = Vector3();
        return;
    }
    if (startClass * endClass != -1)
        return;
    LineCrossing crossing = intersect(Vector3(1.0, c[0].z, 0.0), Vector3(0.0, c[1].z, 0.0),
                                      Vector3(0.0, c[2].z, 0.0), Vector3(1.0, c[3].z, 0.0));
    Vector3 point = c[0].plus(c[1].minus(c[0]).times(crossing.r));
    if (startClass == -1) {
        c[0] = point;
        c[3] = point;
    } else {
        c[1] = point;
        c[2] = point;
    }
}

void setCorners(WallPiece& piece, const Vector3& c0, const Vector3& c1, const Vector3& c2, const Vector3& c3)
{
    piece.corners[0] = c0;
    piece.corners[1] = c1;
    piece.corners[2] = c2;
    piece.corners[3] = c3;
}

// A piece drawn in the solid pass, between its top corners (end, start)
// and its bottom corners (start, end), cut to where the top is above the
// bottom; a piece with sky on both sides is hidden instead.
void solidPiece(WallPiece& piece, bool skyBothSides, const Vector3& endTop, const Vector3& startTop,
                const Vector3& startBottom, const Vector3& endBottom)
{
    if (skyBothSides) {
        piece.flags |= pieceHidden;
        return;
    }
    setCorners(piece, endTop, startTop, startBottom, endBottom);
    clipPiece(piece);
    piece.flags |= pieceSolid;
}

void registerSurface(WorldSector& sector, int tile, int kind, int wall)
{
    for (SurfaceEntry& entry : sector.surfacesByTile) {
        if (entry.tile == tile) {
            entry.uses.push_back({kind, wall});
            return;
        }
    }
    SurfaceEntry entry;
    entry.tile = tile;
    entry.uses.push_back({kind, wall});
    sector.surfacesByTile.push_back(std::move(entry));
}

int spriteFlags(std::uint16_t status)
{
    // The map's status bit and the world's flag it becomes.
    static constexpr std::pair<int, int> flagOf[] = {{SpriteBits::centred, spriteCentred},
                                                     {SpriteBits::flipX, spriteFlipX},
                                                     {SpriteBits::flipY, spriteFlipY},
                                                     {SpriteBits::oneSided, spriteOneSided},
                                                     {SpriteBits::invisible, spriteInvisible}};
    int flags = 0;
    for (const auto& [bit, flag] : flagOf) {
        if (status & bit)
            flags |= flag;
    }
    return flags;
}

// The heights a wall's texture is aligned to, from both sides of the wall.
struct WallHeights {
    double ownCeil;
    double ownFloor;
    double nextCeil;
    double nextFloor;
};

// The pieces' tile, palette, shade and panning from the wall, and what the
// middle piece of an opening is: mirror, masked, one-way, translucent.
void dressPieces(const Wall& record, WorldWall& wall, bool withMiddle)
{
    for (WallPiece* piece : {&wall.upper, &wall.lower, &wall.middle}) {
        piece->panX = record.panX;
        piece->panY = record.panY;
    }
    for (WallPiece* piece : {&wall.upper, &wall.lower}) {
        piece->tile = record.tile;
        piece->palette = record.palette;
        piece->shade = record.shade;
    }
    if (!withMiddle)
        return;
    const int wallFlags = record.flags;
    WallPiece& middle = wall.middle;
    middle.tile = record.overTile;
    middle.palette = record.palette;
    middle.shade = record.shade;
    if (isMirror(record))
        middle.flags |= pieceMirror;
    if ((wallFlags & WallBits::masked) && (wallFlags & WallBits::translucent))
        middle.alpha = (wallFlags & WallBits::moreTranslucent) ? 0.3 : 0.6;
    if (wallFlags & WallBits::masked)
        middle.flags |= pieceMasked;
    if (wallFlags & WallBits::oneWay) {
        middle.flags &= ~pieceMasked;
        if (!(middle.flags & pieceMirror))
            middle.flags |= pieceOneWay | pieceSolid;
    }
}

// An opening with swapped bottoms shows the wall behind it in its lower
// piece. Returns the status word the lower piece is mapped with.
int takeLowerFromBehind(const Map& map, const Wall& record, WorldWall& wall)
{
    const int wallFlags = record.flags;
    if (!(wallFlags & WallBits::swapBottoms))
        return wallFlags;
    const Wall& behind = map.walls()[std::size_t(record.otherWall)];
    wall.lower.tile = behind.tile;
    wall.lower.palette = behind.palette;
    wall.lower.shade = behind.shade;
    wall.lower.panX = behind.panX;
    wall.lower.panY = behind.panY;
    return (wallFlags & ~WallBits::swappedLowerBits) | (behind.flags & WallBits::swappedLowerBits);
}

void flipPanning(WorldWall& wall, int wallFlags, int lowerStatus)
{
    if (wallFlags & WallBits::flipY)
        wall.upper.panY = -wall.upper.panY;
    if (lowerStatus & WallBits::flipY)
        wall.lower.panY = -wall.lower.panY;
    if (wallFlags & WallBits::flipY)
        wall.middle.panY = -wall.middle.panY;
}

// The texture matrices, each aligned to the heights its piece hangs from.
void alignTextures(const Map& map, int s, const Wall& record, WorldWall& wall, int lowerStatus, bool withMiddle)
{
    const int wallFlags = record.flags;
    const Sector& own = map.sectors()[std::size_t(s)];
    WallHeights h{mapHeight(own.ceilingZ), mapHeight(own.floorZ), 0.0, 0.0};
    if (wall.isOpening()) {
        const Sector& next = map.sectors()[std::size_t(record.otherSector)];
        h.nextCeil = mapHeight(next.ceilingZ);
        h.nextFloor = mapHeight(next.floorZ);
    }
    Vector3 a = mapPosition(record);
    Vector3 b = mapPosition(map.walls()[std::size_t(record.nextPoint)]);
    double xs = 8.0 * record.repeatX;
    double ys = 8.0 * record.repeatY;
    const bool bottom = (wallFlags & WallBits::bottomAligned) != 0;
    if (!wall.isOpening()) {
        wall.upper.textureMatrix = wallTextureMatrix(a, b, bottom ? h.ownFloor : h.ownCeil, wallFlags, xs, ys);
        return;
    }
    wall.upper.textureMatrix = wallTextureMatrix(a, b, bottom ? h.ownCeil : h.nextCeil, wallFlags, xs, ys);
    bool lowerBottom = (lowerStatus & WallBits::bottomAligned) != 0;
    wall.lower.textureMatrix = wallTextureMatrix(a, b, lowerBottom ? h.ownCeil : h.nextFloor, lowerStatus, xs, ys);
    double middleZ = 0.0;
    if (wallFlags & WallBits::oneWay)
        middleZ = bottom ? h.ownCeil : h.nextCeil;
    else if (wallFlags & WallBits::masked)
        middleZ = bottom ? std::max(h.nextFloor, h.ownFloor) : std::min(h.nextCeil, h.ownCeil);
    if (withMiddle)
        wall.middle.textureMatrix = wallTextureMatrix(a, b, middleZ, wallFlags, xs, ys);
}

} // namespace

void World::build(const Map& map, BuildOptions options)
{
    clear();
    checkMap(map);
    try {
        placeCameraAtStart(map);
        buildSectors(map, options);
        measureSectors();
        buildPieceCorners(options);
        if (!options.planOnly) {
            buildSurfaceLists();
            buildSprites(map);
        }
    } catch (...) {
        clear();
        throw;
    }
    built = true;
}

void World::clear()
{
    sectors.clear();
    walls.clear();
    points.clear();
    sprites.clear();
    bspNodes.clear();
    pieceIndices.clear();
    camera.reset();
    built = false;
    texturesReady = false;
    skyKinds = 0;
}

void World::checkMap(const Map& map)
{
    const auto& mapWalls = map.walls();
    const std::int64_t wallCount = std::int64_t(mapWalls.size());
    for (int s = 0; s < map.sectorCount(); ++s) {
        const Sector& sector = map.sectors()[std::size_t(s)];
        std::int64_t first = sector.firstWall;
        std::int64_t count = sector.wallCount;
        if (first < 0 || count < 0 || first + count > wallCount)
            throwBadMapFormat("sector %d: %d walls from wall %d, outside the %d walls of the map", s, int(count), int(first),
                              int(wallCount));
        for (std::int64_t w = first; w < first + count; ++w) {
            std::int64_t next = mapWalls[std::size_t(w)].nextPoint;
            if (next < 0 || next >= wallCount)
                throwBadMapFormat("wall %d of sector %d: next wall %d, outside the %d walls of the map", int(w), s, int(next),
                                  int(wallCount));
        }
    }
}

bool World::validOpening(const Map& map, int s, int w)
{
    const Wall& wall = map.walls()[std::size_t(w)];
    if (wall.otherSector < 0 || wall.otherSector >= map.sectorCount())
        return false;
    if (wall.otherWall < 0 || wall.otherWall >= map.wallCount())
        return false;
    const Sector& behind = map.sectors()[std::size_t(wall.otherSector)];
    if (wall.otherWall < behind.firstWall || wall.otherWall >= behind.firstWall + behind.wallCount)
        return false;
    const Wall& other = map.walls()[std::size_t(wall.otherWall)];
    return other.otherWall == w && other.otherSector == s;
}

void World::placeCameraAtStart(const Map& map)
{
    // The start angle counts a full turn in 2048 units from map +x; the
    // node looks along its own +y, and map x is mirrored in the world.
    double heading = 90.0 - double(map.startAngle()) * degreesPerAngleUnit;
    int startSector = map.startSector();
    double z = -map.start().z;
    if (startSector >= 0 && startSector < map.sectorCount())
        z = mapHeight(map.sectors()[std::size_t(startSector)].floorZ);
    else
        startSector = -1;
    camera.place(heading, Vector3(-map.start().x, map.start().y, z), startSector);
}

void World::buildSectors(const Map& map, BuildOptions options)
{
    // Walls and points sit at their map index even when the sectors' ranges
    // leave gaps; a wall of no sector keeps an empty record.
    const int wallCount = map.wallCount();
    walls.assign(std::size_t(wallCount), WorldWall());
    points.assign(std::size_t(wallCount), WallPoint());
    for (int w = 0; w < wallCount; ++w) {
        walls[std::size_t(w)].index = w;
        walls[std::size_t(w)].nextPoint = w;
        points[std::size_t(w)].x = -double(map.walls()[std::size_t(w)].x);
        points[std::size_t(w)].y = double(map.walls()[std::size_t(w)].y);
    }
    sectors.reserve(std::size_t(map.sectorCount()));
    for (int s = 0; s < map.sectorCount(); ++s)
        buildSector(map, s, options);
}

void World::buildSector(const Map& map, int s, BuildOptions options)
{
    const Sector& record = map.sectors()[std::size_t(s)];
    sectors.emplace_back();
    WorldSector& sector = sectors.back();
    sector.floorParallax = (record.floorFlags & SurfaceBits::sky) != 0;
    sector.ceilingParallax = (record.ceilingFlags & SurfaceBits::sky) != 0;

    double floorHeight = mapHeight(record.floorZ);
    double ceilingHeight = mapHeight(record.ceilingZ);
    Vector3 a, b;
    if (record.wallCount > 0) {
        const Wall& first = map.walls()[std::size_t(record.firstWall)];
        a = mapPosition(first);
        b = mapPosition(map.walls()[std::size_t(first.nextPoint)]);
    }
    double floorTilt = tiltAngle(record.floorFlags & SurfaceBits::sloped, record.floorSlope);
    double ceilingTilt = tiltAngle(record.ceilingFlags & SurfaceBits::sloped, record.ceilingSlope);
    Vector3 floorA(a.x, a.y, floorHeight), floorB(b.x, b.y, floorHeight);
    Vector3 ceilingA(a.x, a.y, ceilingHeight), ceilingB(b.x, b.y, ceilingHeight);
    sector.floorPlane = surfacePlane(floorA, floorB, floorTilt, Vector3(0.0, 0.0, 1.0));
    sector.ceilingPlane = surfacePlane(ceilingA, ceilingB, ceilingTilt, Vector3(0.0, 0.0, -1.0));
    sector.floorTextureMatrix = surfaceTextureMatrix(floorA, floorB, record.floorFlags, floorTilt);
    sector.ceilingTextureMatrix = surfaceTextureMatrix(ceilingA, ceilingB, record.ceilingFlags, ceilingTilt);
    sector.floorPanning = {record.floorPanX, record.floorPanY};
    sector.ceilingPanning = {record.ceilingPanX, record.ceilingPanY};

    bool firstLoop = !options.planOnly;
    for (int w = record.firstWall; w < record.firstWall + record.wallCount; ++w) {
        buildWall(map, s, w, firstLoop, options);
        if (map.walls()[std::size_t(w)].nextPoint < w)
            firstLoop = false;
    }

    sector.floorTile = record.floorTile;
    sector.ceilingTile = record.ceilingTile;
    sector.floorPalette = record.floorPalette;
    sector.ceilingPalette = record.ceilingPalette;
    sector.floorShade = record.floorShade;
    sector.ceilingShade = record.ceilingShade;
    if (!options.planOnly)
        sector.fogFactor = double(255 - ((record.visibility + 16) % 256)) / 255.0;
}

void World::buildWall(const Map& map, int s, int w, bool firstLoop, BuildOptions options)
{
    const Wall& record = map.walls()[std::size_t(w)];
    WorldSector& sector = sectors[std::size_t(s)];

    WallPoint& point = points[std::size_t(w)];
    point.sector = s;
    point.floorZ = sector.floorZAt(point.x, point.y);
    point.ceilingZ = sector.ceilingZAt(point.x, point.y);

    WorldWall& wall = walls[std::size_t(w)];
    wall.index = w;
    wall.nextPoint = record.nextPoint;
    wall.sector = s;
    wall.firstLoop = firstLoop;
    const bool opening = validOpening(map, s, w);
    wall.nextWall = opening ? record.otherWall : -1;
    wall.nextSector = opening ? record.otherSector : -1;

    const bool withMiddle = opening && !options.planOnly;
    dressPieces(record, wall, withMiddle);
    const int lowerStatus = opening ? takeLowerFromBehind(map, record, wall) : record.flags;
    flipPanning(wall, record.flags, lowerStatus);
    alignTextures(map, s, record, wall, lowerStatus, withMiddle);

    sector.walls.push_back(w);
    if (opening && (record.flags & WallBits::masked))
        sector.maskedWalls.push_back(w);
}

// A sloped floor may rise above the ceiling at a point, or the other way,
// so both heights count for both ends of the box. The skies are counted on
// the way.
void World::measureSectors()
{
    int sky = -1;
    for (WorldSector& sector : sectors) {
        const int tile = sector.skyTile();
        if (tile >= 0 && tile != sky) {
            skyKinds = std::min(skyKinds + 1, 2);
            sky = tile;
        }
        SectorBox& box = sector.box;
        for (int w : sector.walls) {
            const WallPoint& p = wallStart(w);
            box.lo[0] = std::min(box.lo[0], p.x);
            box.hi[0] = std::max(box.hi[0], p.x);
            box.lo[1] = std::min(box.lo[1], p.y);
            box.hi[1] = std::max(box.hi[1], p.y);
            box.lo[2] = std::min({box.lo[2], p.floorZ, p.ceilingZ});
            box.hi[2] = std::max({box.hi[2], p.floorZ, p.ceilingZ});
        }
    }
}

void World::buildPieceCorners(BuildOptions options)
{
    for (const WorldSector& sector : sectors) {
        for (int w : sector.walls) {
            WorldWall& wall = walls[std::size_t(w)];
            const WallPoint& start = wallStart(w);
            const WallPoint& end = wallEnd(w);
            if (!wall.isOpening()) {
                solidPiece(wall.upper, false, end.ceilingPoint(), start.ceilingPoint(), start.floorPoint(),
                           end.floorPoint());
                continue;
            }
            const WallPoint& start2 = wallEnd(wall.nextWall);
            const WallPoint& end2 = wallStart(wall.nextWall);
            const WorldSector& next = sectors[std::size_t(wall.nextSector)];
            solidPiece(wall.upper, sector.ceilingParallax && next.ceilingParallax, end.ceilingPoint(),
                       start.ceilingPoint(), start2.ceilingPoint(), end2.ceilingPoint());
            solidPiece(wall.lower, sector.floorParallax && next.floorParallax, end2.floorPoint(),
                       start2.floorPoint(), start.floorPoint(), end.floorPoint());
            if (options.planOnly)
                continue;
            bool upperShows = wall.upper.hasHeight();
            bool lowerShows = wall.lower.hasHeight();
            setCorners(wall.middle, upperShows ? end2.ceilingPoint() : end.ceilingPoint(),
                       upperShows ? start2.ceilingPoint() : start.ceilingPoint(),
                       lowerShows ? start2.floorPoint() : start.floorPoint(),
                       lowerShows ? end2.floorPoint() : end.floorPoint());
            clipPiece(wall.middle);
        }
    }
}

void World::buildSurfaceLists()
{
    for (WorldSector& sector : sectors) {
        registerSurface(sector, sector.floorTile, surfaceFloor, 0);
        registerSurface(sector, sector.ceilingTile, surfaceCeiling, 0);
        for (int w : sector.walls) {
            const WorldWall& wall = walls[std::size_t(w)];
            if (!wall.isOpening()) {
                registerSurface(sector, wall.upper.tile, surfaceUpper, w);
                continue;
            }
            if (wall.lower.flags & pieceSolid)
                registerSurface(sector, wall.lower.tile, surfaceLower, w);
            if (wall.upper.flags & pieceSolid)
                registerSurface(sector, wall.upper.tile, surfaceUpper, w);
            if (wall.middle.flags & pieceSolid)
                registerSurface(sector, wall.middle.tile, surfaceMiddle, w);
        }
    }
}

void World::buildSprites(const Map& map)
{
    sprites.reserve(map.sprites().size());
    for (std::size_t i = 0; i < map.sprites().size(); ++i) {
        const Sprite& record = map.sprites()[i];
        const std::uint16_t status = record.flags;
        WorldSprite sprite;
        double offsetX = (status & SpriteBits::flipX) ? -double(record.offsetX) : double(record.offsetX);
        double offsetY = (status & SpriteBits::flipY) ? -double(record.offsetY) : double(record.offsetY);
        sprite.position = Vector3(-(double(record.x) + offsetX), double(record.y) + offsetY,
                                  mapHeight(record.z));
        sprite.tile = record.tile;
        bool inSector = record.sector >= 0 && record.sector < map.sectorCount();
        sprite.sector = inSector ? record.sector : -1;
        sprite.angle = -(double(record.angle) * degreesPerAngleUnit + 90.0);
        sprite.width = record.repeatX;
        sprite.height = record.repeatY;
        sprite.palette = record.palette;
        sprite.shade = inSector ? map.sectors()[std::size_t(record.sector)].floorShade : record.shade;
        if (status & SpriteBits::translucent)
            sprite.alpha = (status & SpriteBits::moreTranslucent) ? 0.3 : 0.6;
        sprite.flags = spriteFlags(status);
        sprite.kind = spriteKind(status);
        sprites.push_back(sprite);
        if (inSector)
            sectors[std::size_t(record.sector)].sprites.push_back(int(i));
    }
}

} // namespace Vell3D
