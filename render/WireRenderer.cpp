#include "render/WireRenderer.h"

#include <GL/gl.h>

#include "render/PlayerMarks.h"
#include "render/PortalCamera.h"

namespace Vell3D {

namespace {

void vertex(const WallPoint& p, bool ceiling)
{
    glVertex3d(p.x, p.y, ceiling ? p.ceilingZ : p.floorZ);
}

void line(const WallPoint& a, const WallPoint& b, bool ceiling)
{
    vertex(a, ceiling);
    vertex(b, ceiling);
}

} // namespace

void WireRenderer::renderFrame()
{
    if (!world || !portalCamera)
        return;
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glDisable(GL_CULL_FACE);
    for (int s : portalCamera->visible) {
        if (!inRange(s, world->sectors.size()))
            continue;
        const WorldSector& sector = world->sectors[std::size_t(s)];
        drawWalls(sector);
        drawSprites(sector);
    }
    if (playerCamera)
        drawSectorOutline(*world, playerCamera->sector, {.markFirstWall = true});
}

// Solid walls show their vertical edges; openings the height steps to the
// sector behind; every wall its floor line (white) and ceiling line (blue).
void WireRenderer::drawWalls(const WorldSector& sector)
{
    glBegin(GL_LINES);
    for (int w : sector.walls) {
        if (!world->hasPoints(w))
            continue;
        const WorldWall& wall = world->walls[std::size_t(w)];
        const WallPoint& p = world->points[std::size_t(wall.index)];
        const WallPoint& q = world->points[std::size_t(wall.nextPoint)];
        if (!wall.isOpening()) {
            glColor3f(0.5f, 0.5f, 0.0f);
            vertex(q, false);
            vertex(q, true);
            vertex(p, true);
            vertex(p, false);
        } else if (world->hasPoints(wall.nextWall)) {
            const WorldWall& other = world->walls[std::size_t(wall.nextWall)];
            const WallPoint& otherStart = world->points[std::size_t(other.index)];
            const WallPoint& otherEnd = world->points[std::size_t(other.nextPoint)];
            glColor3f(1.0f, 0.5f, 0.0f);
            line(q, otherStart, false);
            line(p, otherEnd, false);
            line(q, otherStart, true);
            line(p, otherEnd, true);
        }
        glColor3f(1.0f, 1.0f, 1.0f);
        line(q, p, false);
        glColor3f(0.0f, 0.0f, 1.0f);
        line(q, p, true);
    }
    glEnd();
}

void WireRenderer::drawSprites(const WorldSector& sector)
{
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glEnable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_LINE_STIPPLE);
    const Vector3 eye = portalCamera->eye();
    // Front faces solid and bright, back faces dotted and darker.
    glColor4f(0.0f, 0.8f, 0.0f, 1.0f);
    glLineStipple(3, 0xFFFF);
    glFrontFace(GL_CCW);
    drawSpriteOutlines(sector, eye);
    glColor4f(0.0f, 0.6f, 0.0f, 1.0f);
    glLineStipple(3, 0xAAAA);
    glFrontFace(GL_CW);
    drawSpriteOutlines(sector, eye);
    glPopAttrib();
}

void WireRenderer::drawSpriteOutlines(const WorldSector& sector, const Vector3& eye)
{
    for (int i : sector.sprites) {
        if (!inRange(i, world->sprites.size()))
            continue;
        WorldSprite& sprite = world->sprites[std::size_t(i)];
        if (sprite.kind == spriteKindFace)
            sprite.faceCamera(eye);
        glBegin(GL_QUADS);
        for (const Vector3& c : sprite.corners)
            glVertex3d(c.x, c.y, c.z);
        glEnd();
    }
}

void WireRenderer::drawOverlay()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    if (!playerCamera)
        return;
    drawPlayerArrow();
    drawAxesMarker(*playerCamera);
}

} // namespace Vell3D
