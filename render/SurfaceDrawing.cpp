// Surface drawing: every wall piece, floor, ceiling, sprite and the sky.
// The display lists record the solid surfaces through these routines; the
// transparent pass and the sky call them every frame.
#include <cmath>

#include "3d/Texture.h"
#include "core/Exception.h"
#include "render/SectorRenderer.h"
#include "render/SkyRows.h"

namespace Vell3D {

namespace {

using TessCallback = void(GLAPIENTRY*)();

std::uint8_t alphaByte(double alpha)
{
    if (!(alpha > 0.0))
        return 0;
    if (alpha >= 1.0)
        return 255;
    return std::uint8_t(alpha * 255.0);
}

} // namespace

void SectorRenderer::drawQuad(const Vector2 texCoords[4], const Vector3 corners[4])
{
    glBegin(GL_QUADS);
    drawCorners(texCoords, corners);
    glEnd();
}

// The colour goes in with the vertices rather than before glBegin: a list
// keeps quads of one tile in one draw only while nothing is set between
// them, and a software rasteriser pays for every draw and state change.
void SectorRenderer::drawQuad(const SurfaceColor& color, const Vector2 texCoords[4], const Vector3 corners[4])
{
    glBegin(GL_QUADS);
    glColor4ub(color.red, color.green, color.blue, color.alpha);
    drawCorners(texCoords, corners);
    glEnd();
}

void SectorRenderer::drawCorners(const Vector2 texCoords[4], const Vector3 corners[4])
{
    for (int i = 0; i < 4; ++i) {
        glTexCoord2d(texCoords[i].x, texCoords[i].y);
        glVertex3d(corners[i].x, corners[i].y, corners[i].z);
    }
}

TileSet* SectorRenderer::tiles() const
{
    return world ? world->textureCache : nullptr;
}

void SectorRenderer::bindTile(int tile, bool repeat)
{
    TileSet* set = tiles();
    if (!set)
        return;
    // Numbers the set lacks come back as its neutral tile. A tile whose
    // pixels cannot be read fails prepare when a list needs it; during a
    // frame it draws untextured rather than failing every paint.
    try {
        const Tile& record = set->textureFor(tile);
        if (record.texture)
            record.texture->bind(true, repeat);
    } catch (Vell::Exception&) {
        if (recording)
            throw;
        glBindTexture(GL_TEXTURE_2D, 0);
    }
}

SectorRenderer::SurfaceColor SectorRenderer::surfaceColor(int palette, int shade, std::uint8_t alpha) const
{
    TileSet* set = tiles();
    if (!set)
        return SurfaceColor{255, 255, 255, alpha};
    Vell::Color c = set->surfaceColor(palette, shade);
    return SurfaceColor{c.red, c.green, c.blue, alpha};
}

void SectorRenderer::drawPiece(const WallPiece& piece, bool bind, bool force)
{
    if (!piece.hasHeight())
        return;
    // A mirror is only ever drawn through drawMirror.
    if (piece.flags & pieceMirror)
        return;
    if (!(piece.flags & pieceSolid) && !force)
        return;
    if (bind)
        bindTile(piece.tile, true);
    drawQuad(surfaceColor(piece.palette, piece.shade, alphaByte(piece.alpha)), piece.texCoords, piece.corners);
}

void SectorRenderer::drawFloor(const WorldSector& sector)
{
    if (!sector.floorParallax)
        tessellate(sector, true);
}

void SectorRenderer::drawCeiling(const WorldSector& sector)
{
    if (!sector.ceilingParallax)
        tessellate(sector, false);
}

// Each wall loop (outline and holes) is one contour; the floor walks the
// walls backwards from their end points and the ceiling forwards from their
// start points, so the two faces turn opposite ways.
void SectorRenderer::tessellate(const WorldSector& sector, bool floor)
{
    const std::vector<int>& walls = sector.walls;
    if (walls.size() < 3 || !world)
        return;
    tessColor = floor ? surfaceColor(sector.floorPalette, sector.floorShade, 255)
                      : surfaceColor(sector.ceilingPalette, sector.ceilingShade, 255);

    // The tessellator keeps vertex addresses until the polygon ends: the
    // outline is reserved in full so that it never moves.
    polygon.clear();
    polygon.reserve(walls.size());
    combinePool.clear();
    gluTessBeginPolygon(tessellator, this);
    gluTessBeginContour(tessellator);
    gluTessNormal(tessellator, 0.0, 0.0, floor ? 1.0 : -1.0);
    auto feed = [&](int p) {
        if (!inRange(p, world->points.size()))
            return;
        const WallPoint& point = world->points[std::size_t(p)];
        const Vector2& tc = floor ? point.floorTexCoord : point.ceilingTexCoord;
        polygon.push_back(TessVertex{point.x, point.y, floor ? point.floorZ : point.ceilingZ, tc.x, tc.y});
        gluTessVertex(tessellator, &polygon.back().x, &polygon.back());
    };
    auto closesLoop = [](const WorldWall& wall) { return wall.nextPoint != wall.index + 1; };
    for (std::size_t i = 0; i < walls.size(); ++i) {
        std::size_t k = floor ? walls.size() - 1 - i : i;
        if (!inRange(walls[k], world->walls.size()))
            continue;
        const WorldWall& wall = world->walls[std::size_t(walls[k])];
        if (floor) {
            if (closesLoop(wall)) {
                gluTessEndContour(tessellator);
                gluTessBeginContour(tessellator);
            }
            feed(wall.nextPoint);
        } else {
            feed(wall.index);
            if (closesLoop(wall)) {
                gluTessEndContour(tessellator);
                gluTessBeginContour(tessellator);
            }
        }
    }
    gluTessEndContour(tessellator);
    gluTessEndPolygon(tessellator);
}

void GLAPIENTRY SectorRenderer::tessBegin(GLenum type, void* data)
{
    const SurfaceColor& c = static_cast<SectorRenderer*>(data)->tessColor;
    glBegin(type);
    glColor4ub(c.red, c.green, c.blue, c.alpha);
}

void GLAPIENTRY SectorRenderer::tessVertex(void* vertex, void*)
{
    const TessVertex* v = static_cast<const TessVertex*>(vertex);
    glTexCoord2d(v->u, v->v);
    glVertex3d(v->x, v->y, v->z);
}

void GLAPIENTRY SectorRenderer::tessEnd(void*)
{
    glEnd();
}

// Where edges cross the tessellator asks for a new vertex; its texture
// coordinate is the weighted sum of the inputs, a zero weight standing for
// an input that may be absent.
void GLAPIENTRY SectorRenderer::tessCombine(GLdouble coords[3], void* vertices[4], GLfloat weights[4],
                                            void** out, void* data)
{
    SectorRenderer* self = static_cast<SectorRenderer*>(data);
    TessVertex v{coords[0], coords[1], coords[2], 0.0, 0.0};
    for (int i = 0; i < 4; ++i) {
        if (weights[i] == 0.0f || !vertices[i])
            continue;
        const TessVertex* in = static_cast<const TessVertex*>(vertices[i]);
        v.u += weights[i] * in->u;
        v.v += weights[i] * in->v;
    }
    self->combinePool.push_back(v);
    *out = &self->combinePool.back();
}

void SectorRenderer::makeTessellator()
{
    tessellator = gluNewTess();
    if (!tessellator)
        return;
    gluTessCallback(tessellator, GLU_TESS_BEGIN_DATA, reinterpret_cast<TessCallback>(&tessBegin));
    gluTessCallback(tessellator, GLU_TESS_VERTEX_DATA, reinterpret_cast<TessCallback>(&tessVertex));
    gluTessCallback(tessellator, GLU_TESS_END_DATA, reinterpret_cast<TessCallback>(&tessEnd));
    gluTessCallback(tessellator, GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(&tessCombine));
}

void SectorRenderer::drawSprite(WorldSprite& sprite, const Vector3& eye)
{
    if (sprite.flags & spriteInvisible)
        return;
    // A sprite of no size has no quad (and a face sprite none to turn).
    if (!(sprite.width > 0.0) || !(sprite.height > 0.0))
        return;
    if (sprite.kind == spriteKindFace)
        sprite.faceCamera(eye);
    bindTile(sprite.tile, false);
    if (sprite.kind == spriteKindFace) {
        glDisable(GL_POLYGON_OFFSET_FILL);
    } else {
        // Lying on a wall or floor: wins the depth test against it.
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(-1.0f, -1.0f);
    }
    if (sprite.flags & spriteOneSided)
        glEnable(GL_CULL_FACE);
    else
        glDisable(GL_CULL_FACE);
    drawQuad(surfaceColor(sprite.palette, sprite.shade, alphaByte(sprite.alpha)), sprite.texCoords, sprite.corners);
}

void SectorRenderer::skyTilesFor(int base, int tiles[8])
{
    const int* offsets = nullptr;
    if (base == SpecialTiles::nightSky)
        offsets = SkyRows::nightOffsets;
    else if (base == SpecialTiles::daySky)
        offsets = SkyRows::dayOffsets;
    else if (base == SpecialTiles::duskSky)
        offsets = SkyRows::duskOffsets;
    for (int i = 0; i < 8; ++i)
        tiles[i] = base + (offsets ? offsets[i] : 0);
}

// Sixteen sides from angle 0 in steps of -pi/8; each tile spans two sides,
// u running 0..0.5 over the first and 0.5..1 over the second. Tile
// boundaries fall on the sides' ends, so no side needs splitting.
void SectorRenderer::buildSkyRing()
{
    skyRing_.clear();
    for (int k = 0; k < skySides; ++k) {
        double angle = -k * M_PI / 8.0;
        double u = (k % 2) * 0.5;
        skyRing_.push_back(SkyRingEntry{k / 2, skyRadius * std::cos(angle), skyRadius * std::sin(angle), u,
                                        u + 0.5});
    }
}

void SectorRenderer::drawSky(int skyTile, double x0, double y0)
{
    int tileNumbers[8];
    skyTilesFor(skyTile, tileNumbers);
    TileSet* set = tiles();
    Texture* textures[8] = {};
    for (int i = 0; i < 8; ++i) {
        if (!set)
            continue;
        try {
            const Tile& record = set->textureFor(tileNumbers[i]);
            textures[i] = record.texture;
        } catch (Vell::Exception&) {
            textures[i] = nullptr;   // drawn untextured, as bindTile does
        }
    }
    glColor4ub(255, 255, 255, 255);
    glEnable(GL_TEXTURE_2D);
    const std::size_t n = skyRing_.size();
    const double h = skyHalfHeight;
    int boundSlot = -1;
    for (std::size_t k = 0; k < n; ++k) {
        const SkyRingEntry& e = skyRing_[k];
        const SkyRingEntry& next = skyRing_[(k + 1) % n];
        if (e.slot != boundSlot) {
            if (textures[e.slot])
                textures[e.slot]->bind(true, true);
            else
                glBindTexture(GL_TEXTURE_2D, 0);
        }
        boundSlot = e.slot;
        glBegin(GL_QUADS);
        glTexCoord2d(e.uStart, 1.0);
        glVertex3d(x0 + e.x, y0 + e.y, -h);
        glTexCoord2d(e.uEnd, 1.0);
        glVertex3d(x0 + next.x, y0 + next.y, -h);
        glTexCoord2d(e.uEnd, 0.0);
        glVertex3d(x0 + next.x, y0 + next.y, h);
        glTexCoord2d(e.uStart, 0.0);
        glVertex3d(x0 + e.x, y0 + e.y, h);
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
    glColor4ub(0, 0, 0, 255);
    glBegin(GL_POLYGON);
    for (std::size_t k = 0; k < n; ++k)
        glVertex3d(x0 + skyRing_[k].x, y0 + skyRing_[k].y, h);
    glEnd();
    glBegin(GL_POLYGON);
    for (std::size_t k = n; k-- > 0;)
        glVertex3d(x0 + skyRing_[k].x, y0 + skyRing_[k].y, -h);
    glEnd();
}

} // namespace Vell3D
