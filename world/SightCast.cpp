// The line of sight as the info panel follows it: the ray cast of
// RayCast.cpp, stopping also at the middle pieces walkview draws, and then
// the sprites, which the ray cast does not know. A sprite counts where its
// quad, as walkview draws it for this viewer, shows a pixel of its tile: a
// tree's transparent corners let the wall behind it be named.
#include <algorithm>
#include <cmath>

#include "core/Exception.h"
#include "mapdata/TileSet.h"
#include "world/World.h"

namespace Vell3D {

namespace {

// The ray's parameter at a point on it.
double parameterOf(const RayHit& hit, const Vector3& point)
{
    const Vector3 d = hit.target.minus(hit.origin);
    const double length2 = d.dot(d);
    return length2 > 0.0 ? point.minus(hit.origin).dot(d) / length2 : 0.0;
}

// The texel under the quad's point (u, v): u along corner 0 to 1, v along
// corner 0 to 3, the texture coordinates spread over the quad as drawn.
bool texelShows(const WorldSprite& sprite, double u, double v, TileSet* tiles)
{
    if (!tiles)
        return true;
    const Vector2& t0 = sprite.texCoords[0];
    const double s = t0.x + u * (sprite.texCoords[1].x - t0.x) + v * (sprite.texCoords[3].x - t0.x);
    const double t = t0.y + u * (sprite.texCoords[1].y - t0.y) + v * (sprite.texCoords[3].y - t0.y);
    const Tile& tile = tiles->tile(sprite.tile);
    const int x = std::clamp(int(std::floor(s * tile.width)), 0, std::max(0, tile.width - 1));
    const int y = std::clamp(int(std::floor(t * tile.height)), 0, std::max(0, tile.height - 1));
    try {
        return tiles->opaqueAt(sprite.tile, x, y);
    } catch (const Vell::Exception&) {
        // A tile whose pixels cannot be read is drawn untextured, whole.
        return true;
    }
}

// The quad as walkview draws it for a viewer at the eye.
void drawnCorners(const WorldSprite& sprite, const Vector3& eye, Vector3 corners[4])
{
    if (sprite.kind == spriteKindFace)
        sprite.faceCorners(eye, corners);
    else
        std::copy(sprite.corners, sprite.corners + 4, corners);
}

// Whether the sprite's quad, as drawn for a viewer at the ray's origin,
// meets the ray at a pixel that is not transparent; t along the ray.
bool spriteSeen(const WorldSprite& sprite, const RayHit& hit, TileSet* tiles, double& t)
{
    // As drawSprite skips them.
    if ((sprite.flags & spriteInvisible) || !(sprite.width > 0.0) || !(sprite.height > 0.0))
        return false;
    Vector3 corners[4];
    drawnCorners(sprite, hit.origin, corners);
    const Vector3 across = corners[1].minus(corners[0]);
    const Vector3 up = corners[3].minus(corners[0]);
    const Vector3 normal = across.cross(up);
    const Vector3 d = hit.target.minus(hit.origin);
    const double towards = normal.dot(d);
    // Edge on, or (for a one-sided sprite) its back, which is culled: its
    // front faces the viewer when its corners turn counter-clockwise.
    if (towards == 0.0 || ((sprite.flags & spriteOneSided) && towards > 0.0))
        return false;
    t = normal.dot(corners[0].minus(hit.origin)) / towards;
    if (!(t >= 0.0 && t <= 1.0))
        return false;
    const Vector3 p = hit.origin.plus(d.times(t)).minus(corners[0]);
    const double u = p.dot(across) / across.dot(across);
    const double v = p.dot(up) / up.dot(up);
    if (!(u >= 0.0 && u <= 1.0 && v >= 0.0 && v <= 1.0))
        return false;
    return texelShows(sprite, u, v, tiles);
}

} // namespace

void World::castSight(RayHit& hit, const std::vector<int>& spriteSectors, TileSet* tiles) const
{
    trace(hit, true);
    if (!texturesReady)
        return;   // the sprites have no size yet
    double nearest = hit.kind == surfaceNone ? 1.0 : parameterOf(hit, hit.point);
    int met = -1;
    for (int s : spriteSectors) {
        if (!inRange(s, sectors.size()))
            continue;
        for (int i : sectors[std::size_t(s)].sprites) {
            double t = 0.0;
            if (inRange(i, sprites.size()) && spriteSeen(sprites[std::size_t(i)], hit, tiles, t) && t < nearest) {
                nearest = t;
                met = i;
            }
        }
    }
    if (met < 0)
        return;
    const WorldSprite& sprite = sprites[std::size_t(met)];
    Vector3 corners[4];
    drawnCorners(sprite, hit.origin, corners);
    Vector3 normal = corners[1].minus(corners[0]).cross(corners[3].minus(corners[0])).normalized();
    // The side the viewer sees.
    if (normal.dot(hit.target.minus(hit.origin)) > 0.0)
        normal = normal.times(-1.0);
    hit.kind = surfaceSprite;
    hit.sprite = met;
    hit.wall = -1;
    hit.sector = sprite.sector;
    hit.point = hit.origin.plus(hit.target.minus(hit.origin).times(nearest));
    hit.normal = normal;
}

} // namespace Vell3D
