// Surface drawing: the triangles of the surfaces (surfaces/) in GL. The
// display lists record the solid ones; the transparent pass, the mirrors
// and the sky draw theirs every frame.
#include "3d/Texture.h"
#include "core/Exception.h"
#include "render/SectorRenderer.h"

namespace Vell3D {


// The colour goes in with the vertices rather than before glBegin: a list
// keeps triangles of one tile in one draw only while nothing is set between
// them, and a software rasteriser pays for every draw and state change.
void SectorRenderer::drawSurface(const SurfaceMesh& mesh, const Surface& surface)
{
    if (surface.count == 0)
        return;
    const SurfaceVertex* v = mesh.verticesOf(surface);
    const SurfaceColour& c = surface.colour;
    glBegin(GL_TRIANGLES);
    glColor4ub(c.red, c.green, c.blue, c.alpha);
    for (std::uint32_t i = 0; i < surface.count; ++i) {
        glTexCoord2d(v[i].u, v[i].v);
        glVertex3d(v[i].x, v[i].y, v[i].z);
    }
    glEnd();
}

// A quad goes to the driver as the quad it was cut from. Its immediate path
// rounds a quad a shade differently from the two triangles, and the picture
// must not move; a list cuts it into the very triangles of the surface, from
// four vertices rather than six, as the lists always took them. The corners
// come back from the triangles' vertices by quadVertices.
void SectorRenderer::drawQuadSurface(const SurfaceMesh& mesh, const Surface& surface)
{
    if (!surface.isQuad()) {
        drawSurface(mesh, surface);
        return;
    }
    const SurfaceVertex* v = mesh.verticesOf(surface);
    const SurfaceColour& c = surface.colour;
    glBegin(GL_QUADS);
    glColor4ub(c.red, c.green, c.blue, c.alpha);
    for (int i : SurfaceMesh::quadVertices) {
        glTexCoord2d(v[i].u, v[i].v);
        glVertex3d(v[i].x, v[i].y, v[i].z);
    }
    glEnd();
}

void SectorRenderer::drawQuad(const Vector2 texCoords[4], const Vector3 corners[4])
{
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2d(texCoords[i].x, texCoords[i].y);
        glVertex3d(corners[i].x, corners[i].y, corners[i].z);
    }
    glEnd();
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

void SectorRenderer::drawSprite(const WorldSprite& sprite, int index, const Vector3& eye)
{
    frameMesh.clear();
    if (!WorldSurfaces::addSprite(frameMesh, sprite, index, eye, tiles()))
        return;
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
    drawQuadSurface(frameMesh, frameMesh.surfaces.back());
}

Texture* SectorRenderer::skyTexture(int tile)
{
    TileSet* set = tiles();
    if (!set)
        return nullptr;
    try {
        return set->textureFor(tile).texture;
    } catch (Vell::Exception&) {
        return nullptr;   // drawn untextured, as bindTile does
    }
}

void SectorRenderer::drawSky(int skyTile, double x0, double y0)
{
    frameMesh.clear();
    sky_.build(frameMesh, skyTile, x0, y0);
    glEnable(GL_TEXTURE_2D);
    bool texturing = true, bound = false;
    int boundTile = 0;
    for (const Surface& surface : frameMesh.surfaces) {
        if (surface.part == partSkyCap && texturing) {
            glDisable(GL_TEXTURE_2D);
            texturing = false;
        } else if (surface.part == partSkyWall && (!bound || surface.tile != boundTile)) {
            if (Texture* texture = skyTexture(surface.tile))
                texture->bind(true, true);
            else
                glBindTexture(GL_TEXTURE_2D, 0);
            bound = true;
            boundTile = surface.tile;
        }
        if (surface.part == partSkyWall)
            drawQuadSurface(frameMesh, surface);
        else
            drawSurface(frameMesh, surface);
    }
}

} // namespace Vell3D
