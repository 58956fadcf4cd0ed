// Texture mapping: the matrices that take a world point to texels, settled
// once per surface while building, and the step that turns them into
// per-vertex coordinates once the tile sizes are known. Also the sprites'
// quads, which depend on their tiles' sizes.
#include "world/World.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "mapdata/TileSet.h"

namespace Vell3D {

namespace {

constexpr double degreesPerRadian = 180.0 / std::numbers::pi;

// A matrix written row by row, as the texture matrices are described.
Matrix4 fromRows(const double rows[16])
{
    double columns[16];
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            columns[column * 4 + row] = rows[row * 4 + column];
    return Matrix4::fromArray(columns);
}

// The turn about z that brings the direction d onto +x (radians).
double turnOntoX(const Vector3& d)
{
    double length = std::sqrt(d.x * d.x + d.y * d.y);
    if (length == 0.0)
        return 0.0;
    double angle = std::acos(std::clamp(d.x / length, -1.0, 1.0));
    return d.y >= 0.0 ? -angle : angle;
}

Matrix4 turnAboutZ(double radians)
{
    return Matrix4::rotation(radians * degreesPerRadian, 0.0, 0.0, 1.0);
}

// Texels per coordinate unit; a tile without pixels maps everything to 0.
double perSide(double value, int side)
{
    return side > 0 ? value / side : 0.0;
}

Vector2 surfaceCoord(const Matrix4& matrix, const Vector3& point, const Tile& tile, const Panning& panning)
{
    Vector3 uv = matrix.transformPoint(point);
    return Vector2(perSide(uv.x, tile.width) + panning.x / 256.0,
                   perSide(uv.y, tile.height) + panning.y / 256.0);
}

void mapPiece(WallPiece& piece, const Tile& tile)
{
    for (int i = 0; i < 4; ++i) {
        Vector3 uv = piece.textureMatrix.transformPoint(piece.corners[i]);
        piece.texCoords[i] = Vector2(perSide(uv.x + piece.panX, tile.width),
                                     perSide(uv.y, tile.height) + piece.panY / 256.0);
    }
}

void placeSpriteCorners(WorldSprite& sprite)
{
    double w = sprite.width;
    double h = sprite.height;
    Vector3 local[4];
    if (sprite.kind == spriteKindWall) {
        local[0] = Vector3(-w / 2, 0, 0);
        local[1] = Vector3(w / 2, 0, 0);
        local[2] = Vector3(w / 2, 0, h);
        local[3] = Vector3(-w / 2, 0, h);
    } else if (sprite.kind == spriteKindFloor) {
        local[0] = Vector3(w / 2, h / 2, 0);
        local[1] = Vector3(-w / 2, h / 2, 0);
        local[2] = Vector3(-w / 2, -h / 2, 0);
        local[3] = Vector3(w / 2, -h / 2, 0);
    }
    double radians = sprite.angle * 0.017453292519943295;
    double c = std::cos(radians);
    double s = std::sin(radians);
    for (int i = 0; i < 4; ++i) {
        const Vector3& p = local[i];
        sprite.corners[i] = Vector3(p.x * c - p.y * s + sprite.position.x, p.x * s + p.y * c + sprite.position.y,
                                    p.z + sprite.position.z);
    }
}

void mapSprite(WorldSprite& sprite, const Tile& tile)
{
    double widthFactor = sprite.kind == spriteKindFace ? 0.2 : 0.25;
    sprite.width = tile.width * sprite.width * widthFactor;
    sprite.height = tile.height * sprite.height * 0.25;
    if ((sprite.flags & spriteCentred) && sprite.kind != spriteKindFloor)
        sprite.position.z -= sprite.height / 2;
    placeSpriteCorners(sprite);

    double sMin = tile.textureRange[0], sMax = tile.textureRange[1];
    double tMin = tile.textureRange[2], tMax = tile.textureRange[3];
    if (sprite.flags & spriteFlipX)
        std::swap(sMin, sMax);
    if ((sprite.flags & spriteFlipY) && sprite.kind != spriteKindFloor)
        std::swap(tMin, tMax);
    sprite.texCoords[0] = Vector2(sMin, tMax);
    sprite.texCoords[1] = Vector2(sMax, tMax);
    sprite.texCoords[2] = Vector2(sMax, tMin);
    sprite.texCoords[3] = Vector2(sMin, tMin);
}

} // namespace

Matrix4 wallTextureMatrix(const Vector3& a, const Vector3& b, double refZ, int status, double xs, double ys)
{
    if (a.x == b.x && a.y == b.y)
        return Matrix4();
    Vector3 q(b.x - a.x, b.y - a.y, 0.0);
    double length = q.length();
    Matrix4 t = Matrix4::translation(-a.x, -a.y, -refZ);
    Matrix4 r = turnAboutZ(turnOntoX(q));
    // Height becomes the second texture coordinate.
    const double project[16] = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    Matrix4 p = fromRows(project);
    Matrix4 y = (status & WallBits::flipY) ? Matrix4::scaling(1.0, -1.0, 1.0) : Matrix4();
    Matrix4 f;
    if (status & WallBits::flipX)
        f = Matrix4::translation(length, 0.0, 0.0) * Matrix4::scaling(-1.0, 1.0, 1.0);
    Matrix4 s = Matrix4::scaling(xs / length, -ys / 1024.0, 1.0);
    return s * f * y * p * r * t;
}

Matrix4 surfaceTextureMatrix(const Vector3& a, const Vector3& b, int stat, double tilt)
{
    Matrix4 relative;
    if (stat & SurfaceBits::alignToWall) {
        // Aligned to the first wall: measured from its start, along it, in
        // the plane of the (possibly sloped) surface.
        Vector3 r = a.minus(b);
        Matrix4 rz = turnAboutZ(turnOntoX(r));
        Matrix4 rs = Matrix4::rotation(tilt * degreesPerRadian, r.x, r.y, r.z);
        relative = Matrix4::scaling(1.0, -1.0, 1.0) * rz * rs * Matrix4::translation(-a.x, -a.y, -a.z);
    }
    double f = (stat & SurfaceBits::doubleSize) ? -0.125 : -0.0625;
    Matrix4 k = Matrix4::scaling(f, f, 1.0);
    Matrix4 w;
    if (stat & SurfaceBits::swapped) {
        const double swap[16] = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
        w = fromRows(swap);
    }
    Matrix4 yf = (stat & SurfaceBits::flipY) ? Matrix4::scaling(1.0, -1.0, 1.0) : Matrix4();
    Matrix4 x = (stat & SurfaceBits::flipX) ? Matrix4::scaling(-1.0, 1.0, 1.0) : Matrix4();
    return x * yf * w * k * relative;
}

void World::attachTextures(TileSet& tiles)
{
    for (WallPoint& point : points) {
        if (point.sector < 0 || point.sector >= int(sectors.size()))
            continue;
        const WorldSector& sector = sectors[std::size_t(point.sector)];
        point.floorTexCoord = surfaceCoord(sector.floorTextureMatrix, point.floorPoint(),
                                           tiles.tile(sector.floorTile), sector.floorPanning);
        point.ceilingTexCoord = surfaceCoord(sector.ceilingTextureMatrix, point.ceilingPoint(),
                                             tiles.tile(sector.ceilingTile), sector.ceilingPanning);
    }
    for (WorldWall& wall : walls) {
        if (wall.sector < 0)
            continue;
        mapPiece(wall.upper, tiles.tile(wall.upper.tile));
        if (wall.isOpening()) {
            mapPiece(wall.lower, tiles.tile(wall.lower.tile));
            mapPiece(wall.middle, tiles.tile(wall.middle.tile));
        }
    }
    Vector3 viewer = camera.position();
    for (WorldSprite& sprite : sprites) {
        mapSprite(sprite, tiles.tile(sprite.tile));
        if (sprite.kind == spriteKindFace)
            sprite.faceCamera(viewer);
    }
    textureCache = &tiles;
    texturesReady = true;
}

void WorldSprite::faceCamera(const Vector3& cameraPosition)
{
    faceCorners(cameraPosition, corners);
}

void WorldSprite::faceCorners(const Vector3& cameraPosition, Vector3 out[4]) const
{
    double dx = position.x - cameraPosition.x;
    double dy = position.y - cameraPosition.y;
    double distance = std::sqrt(dx * dx + dy * dy);
    if (distance == 0.0) {
        // A viewer standing on the sprite has no direction to it; any
        // orientation will do, as long as the quad keeps its width.
        dx = 0.0;
        dy = 1.0;
        distance = 1.0;
    }
    double k = (width / 2) / distance;
    Vector3 offsets[4] = {Vector3(-dy * k, dx * k, 0), Vector3(dy * k, -dx * k, 0), Vector3(dy * k, -dx * k, height),
                          Vector3(-dy * k, dx * k, height)};
    for (int i = 0; i < 4; ++i)
        out[i] = offsets[i].plus(position);
}

} // namespace Vell3D
