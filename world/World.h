// World: the model that the renderers and the player walk in, built once from
// a map. Every map sector, wall and sprite becomes a record here with the same
// index; heights are converted to a right-handed frame with z up:
//   world x = -map x, world y = map y, world z = -map z / 16.
// All texture mapping is settled while building (a matrix per surface) and
// turned into per-vertex coordinates by attachTextures once the tiles are known.
//
// Two words that sound alike: a wall piece (WallPiece) is one quad of a wall,
// its upper, lower or middle part; a plan piece is one convex polygon of a
// sector's plan, cut out by the sector's partition tree (the Bsp names), for
// the plan view only.
//
// Where the code lives:
//   world/WorldBuilder.cpp    build, placeCameraAtStart, wall pieces and their clipping
//   world/TextureMapping.cpp  texture matrices, attachTextures, sprite corners
//   world/RayCast.cpp         castRay, sectorPlaneHit, holds, sectorAt,
//                             WallPiece::rayHit/normal
//   world/SightCast.cpp       castSight: the ray cast with middle pieces
//                             and sprites, as the info panel names them
//   world/PlanPieces.cpp      buildPieces: the plan pieces and partition trees
// The model draws nothing and links no GL (library world_model). The player
// that walks in it is a scene node, in the library above it (world):
//   world/PlayerNode.cpp      PlayerNode construction and takePlacement
//   world/PlayerMove.cpp      PlayerNode::move, the collision-checked move
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "3d/Matrix4.h"
#include "3d/Plane.h"
#include "3d/Vector2.h"
#include "3d/Vector3.h"
#include "mapdata/MapRecords.h"
#include "world/StartPlacement.h"

namespace Vell3D {

class Map;
class TileSet;

// An index read from the map (or from a hand-made world) that may be used on
// a table of the given size.
inline bool inRange(int index, std::size_t size)
{
    return index >= 0 && std::size_t(index) < size;
}

// Kinds of surface, as surfacesByTile and the ray cast name them.
enum SurfaceKind {
    surfaceNone = 0,
    surfaceFloor = 1,
    surfaceCeiling = 2,
    surfaceLower = 3,
    surfaceUpper = 4,
    surfaceMiddle = 5,
    surfaceSprite = 6,    // met by castSight only
};

// WallPiece::flags values.
enum WallPieceFlag {
    pieceHidden = 0x01,   // sky on both sides: never drawn
    pieceMasked = 0x02,   // drawn in the translucent pass with alpha
    pieceOneWay = 0x04,
    pieceSolid = 0x08,    // drawn in the solid pass
    pieceMirror = 0x10,
};

// WorldSprite::flags values.
enum SpriteFlag {
    spriteCentred = 0x01,
    spriteFlipX = 0x02,
    spriteFlipY = 0x04,
    spriteOneSided = 0x08,
    spriteInvisible = 0x10,
};

// What the ray cast reads and fills.
struct RayHit {
    Vector3 origin;
    Vector3 target;
    int sector = -1;      // in: the sector holding origin; out: where it ended
    int kind = surfaceNone;
    Vector3 point;
    Vector3 normal;
    int wall = -1;
    int sprite = -1;      // the sprite met (castSight)
};

// One textured quad of a wall. Corners: 0 end top, 1 start top, 2 start
// bottom, 3 end bottom (start is the wall's first vertex).
struct WallPiece {
    int tile = -1;
    Matrix4 textureMatrix;    // world point -> texels (u, v) in rows 0, 1
    Vector3 corners[4];
    Vector2 texCoords[4];
    double panX = 0.0;
    double panY = 0.0;
    std::uint8_t palette = 0;
    std::int8_t shade = 0;
    int flags = 0;
    double alpha = 1.0;

    bool hasHeight() const;
    // Whether the ray of hit passes through the piece.
    bool rayHit(const RayHit& hit) const;
    // Unit horizontal normal from the top edge.
    Vector3 normal() const;
};

// The first vertex of a wall, with the heights of the wall's own sector.
struct WallPoint {
    double x = 0.0;
    double y = 0.0;
    double floorZ = 0.0;
    Vector2 floorTexCoord;
    double ceilingZ = 0.0;
    Vector2 ceilingTexCoord;
    int sector = -1;

    Vector3 floorPoint() const { return Vector3(x, y, floorZ); }
    Vector3 ceilingPoint() const { return Vector3(x, y, ceilingZ); }
};

struct SurfaceUse {
    int kind = surfaceNone;
    int wall = 0;         // 0 for floors and ceilings
};

// All surfaces of a sector that show one tile, so each texture is bound once.
struct SurfaceEntry {
    int tile = -1;
    std::vector<SurfaceUse> uses;
};

struct Panning {
    int x = 0;
    int y = 0;
};

// The box round a sector: its wall points in plan, from the lowest floor or
// ceiling at them to the highest.
struct SectorBox {
    double lo[3] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                    std::numeric_limits<double>::infinity()};
    double hi[3] = {-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                    -std::numeric_limits<double>::infinity()};
};

struct WorldSector {
    Plane floorPlane;
    Plane ceilingPlane;
    Matrix4 floorTextureMatrix;
    Matrix4 ceilingTextureMatrix;
    Panning floorPanning;
    Panning ceilingPanning;
    bool floorParallax = false;    // sky: not drawn as a polygon
    bool ceilingParallax = false;
    std::uint8_t floorPalette = 0;
    std::uint8_t ceilingPalette = 0;
    std::int8_t floorShade = 0;
    std::int8_t ceilingShade = 0;
    double fogFactor = 0.0;
    int floorTile = 0;
    int ceilingTile = 0;
    std::vector<int> walls;        // in map order
    std::vector<int> maskedWalls;  // openings with the masked bit
    std::vector<SurfaceEntry> surfacesByTile;
    std::vector<int> sprites;      // sprites held by this sector, in map order
    SectorBox box;

    // The root of the sector's partition tree and where each of its plan
    // pieces starts in World::pieceIndices (left empty by the 3D build).
    int bspRoot = -1;
    std::vector<int> pieceStarts;

    double floorZAt(double x, double y) const;
    double ceilingZAt(double x, double y) const;
    // The sky the sector shows: its ceiling's tile when the ceiling is sky,
    // else its floor's when that is; -1 for none.
    int skyTile() const { return ceilingParallax ? ceilingTile : floorParallax ? floorTile : -1; }
};

struct WorldWall {
    int nextPoint = -1;    // the next wall of the loop; its start is our end
    int index = -1;        // this wall; its start is our start
    WallPiece upper;       // the whole wall when there is no neighbour
    WallPiece lower;
    WallPiece middle;
    int nextWall = -1;     // -1 for a solid wall
    int nextSector = -1;
    int sector = -1;
    bool firstLoop = false;

    bool isOpening() const { return nextSector >= 0; }
};

struct WorldSprite {
    Vector3 position;
    int tile = -1;
    int sector = -1;       // -1: held by no sector, never drawn
    double angle = 0.0;    // degrees
    double width = 0.0;    // the repeat bytes until attachTextures
    double height = 0.0;
    std::uint8_t palette = 0;
    std::int8_t shade = 0;
    double alpha = 1.0;
    int flags = 0;
    int kind = spriteKindNone;   // SpriteKind (mapdata/MapFlags.h)
    Vector3 corners[4];
    Vector2 texCoords[4];

    // Turns a face sprite's quad towards a viewer at cameraPosition.
    void faceCamera(const Vector3& cameraPosition);
    // The corners faceCamera would give, left as they are in the sprite.
    void faceCorners(const Vector3& cameraPosition, Vector3 out[4]) const;
};

// A node of a sector's partition tree (plan view).
struct BspNode {
    int wall = -1;
    double t0 = 0.0;
    double t1 = 1.0;
    int front = -1;
    int back = -1;
    int parent = -1;
};

// The two line helpers below take any point with x and y (Vector3, or the
// plain pairs the plan pieces work on), with the same arithmetic for all.

// Which side of the directed line a->b the point p lies on, in x and y:
// 0 within half a unit, -1 left, +1 right.
template <class Point>
int side(const Point& a, const Point& b, const Point& p)
{
    const double c = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    if (c >= 0.5)
        return -1;
    if (c <= -0.5)
        return 1;
    return 0;
}

// The even-odd rule by which a point lies in a sector: it does when an odd
// number of the sector's edges (all its loops) meet the horizontal line
// from (x, y) towards -x. An edge owns its lower end and not its upper one,
// so a vertex where the outline passes through the line counts once and one
// where it only touches counts twice or not at all; edges along the line
// count never. The line reaches past any map, so every crossing counts.
template <class Point>
bool crossesTowardsMinusX(const Point& a, const Point& b, double x, double y)
{
    if ((a.y > y) == (b.y > y))
        return false;
    return a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y) <= x;
}

// Parameters of the crossing of line p1->p2 (r) and line q1->q2 (s), in x and
// y; both +infinity for parallel lines.
struct LineCrossing {
    double r;
    double s;
};
template <class Point>
LineCrossing intersect(const Point& p1, const Point& p2, const Point& q1, const Point& q2)
{
    const double ex = p2.x - p1.x;
    const double ey = p2.y - p1.y;
    const double dx = q2.x - q1.x;
    const double dy = q2.y - q1.y;
    const double g = dx * ey - ex * dy;
    if (g == 0.0) {
        const double infinity = std::numeric_limits<double>::infinity();
        return {infinity, infinity};
    }
    const double r = (dx * (q1.y - p1.y) - dy * (q1.x - p1.x)) / g;
    // s from the larger component of the second line: a wall carried into a
    // turned frame keeps a component of about 1e-13 where it had none, and
    // dividing by that gives noise.
    const double s = std::fabs(dx) >= std::fabs(dy) ? (p1.x + ex * r - q1.x) / dx : (p1.y + ey * r - q1.y) / dy;
    return {r, s};
}

// The texture matrices (TextureMapping.cpp).
Matrix4 wallTextureMatrix(const Vector3& a, const Vector3& b, double refZ,
                                  int status, double xs, double ys);
Matrix4 surfaceTextureMatrix(const Vector3& a, const Vector3& b, int stat,
                                     double tilt);

// The plan view builds a reduced world: no middle wall pieces, fog, surface
// lists, sprites or loop marks; it adds its plan pieces afterwards.
struct WorldBuildOptions {
    bool planOnly = false;
};

class World {
public:
    using BuildOptions = WorldBuildOptions;

    World() = default;
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Rebuilds everything from the map. Exception "bad map format: ..." when
    // a sector's wall range or a wall's next point lies outside the wall
    // table, naming the sector ("sector 4: 10 walls from wall 10, outside
    // the 12 walls of the map"); the world is then left empty (built false).
    void build(const Map& map, BuildOptions options = {});
    void placeCameraAtStart(const Map& map);
    // Computes every texture coordinate from the tile sizes and keeps the
    // set. Once per build: it turns the sprites' repeat bytes into sizes.
    // Only sizes are read, so no GL context is needed; textures are made
    // when the renderer first asks for them.
    void attachTextures(TileSet& tiles);

    // Whether a path that meets wall w of the sector heading along direction
    // (world x and y) leaves the sector there, rather than coming into it.
    // A path that starts exactly on an opening's line meets it at parameter
    // 0 whichever way it goes; only the outward way may pass into the sector
    // behind, or a player standing on the line would be handed back and lose
    // his sector. A sector without area cannot tell and lets every path out.
    // windingArea is the sector's windingArea(), computed once per sector.
    bool headsOutOf(double windingArea, int w, const Vector3& direction) const;
    double windingArea(int sector) const;
    // Wall w exists and both its end points do.
    bool hasPoints(int w) const;
    // The end points of wall w: its own start, and the start of the next
    // wall of its loop. Need hasPoints(w).
    const WallPoint& wallStart(int w) const { return points[std::size_t(walls[std::size_t(w)].index)]; }
    const WallPoint& wallEnd(int w) const { return points[std::size_t(walls[std::size_t(w)].nextPoint)]; }

    // Fills hit with the first surface between its origin and its target
    // (RayCast.cpp); kind stays surfaceNone when nothing is in the way.
    void castRay(RayHit& hit) const;
    // What a viewer at hit.origin looking at hit.target sees first
    // (SightCast.cpp): castRay's surfaces, the middle pieces that are drawn
    // (masked, one-way, mirrors: kind surfaceMiddle) and the sprites held by
    // the listed sectors, each as its quad is drawn for that viewer, with
    // the tile's transparent pixels read through tiles (null: whole quads)
    // let through (kind surfaceSprite, sprite and sector set). Sprites count
    // once the textures are attached.
    void castSight(RayHit& hit, const std::vector<int>& spriteSectors, TileSet* tiles) const;
    bool sectorPlaneHit(const RayHit& hit, int sector, const Plane& plane, double& t) const;
    // Whether the point (world x and y) lies in the sector, by the even-odd
    // rule over all its loops (crossesTowardsMinusX); false for a sector
    // out of range.
    bool holds(int sector, double x, double y) const;
    // The first sector that holds the point, or -1.
    int sectorAt(double x, double y) const;

    // The plan pieces (PlanPieces.cpp). Their corners go after
    // the walls' own points, so building again starts over from those.
    void buildPieces();

    std::vector<WorldSector> sectors;
    std::vector<WorldWall> walls;
    std::vector<WallPoint> points;
    std::vector<WorldSprite> sprites;
    StartPlacement camera;   // where the player starts
    bool built = false;
    bool texturesReady = false;
    // How many different skies the sectors show: 0, 1, or 2 for more.
    int skyKinds = 0;

    TileSet* textureCache = nullptr;

    std::vector<BspNode> bspNodes;
    std::vector<int> pieceIndices;

protected:
    // The build steps, in the order build runs them; each expects the map's
    // indices to have been checked by checkMap.
    static void checkMap(const Map& map);
    void clear();
    void buildSectors(const Map& map, BuildOptions options);
    void buildSector(const Map& map, int s, BuildOptions options);
    void buildWall(const Map& map, int s, int w, bool firstLoop, BuildOptions options);
    void buildPieceCorners(BuildOptions options);
    void measureSectors();
    void buildSurfaceLists();
    void buildSprites(const Map& map);

    // Whether wall w of sector s is a usable opening: both references in
    // range, the wall behind among its sector's walls and pointing back.
    // Anything else is treated as a solid wall.
    static bool validOpening(const Map& map, int s, int w);

    // castRay, stopping at drawn middle pieces too when asked (RayCast.cpp).
    void trace(RayHit& hit, bool middles) const;
};

} // namespace Vell3D
