#include "render/SectorRenderer.h"

#include <algorithm>
#include <cmath>

#include "render/PlayerMarks.h"
#include "render/MirrorLevel.h"

namespace Vell3D {

namespace {

double planarDistance(const Vector3& eye, double x, double y)
{
    return std::hypot(x - eye.x, y - eye.y);
}

} // namespace

SectorRenderer::SectorRenderer()
{
    makeTessellator();
    buildSkyRing();
}

SectorRenderer::~SectorRenderer() noexcept(false)
{
    deleteLists();
    if (tessellator)
        gluDeleteTess(tessellator);
}

void SectorRenderer::beginFrame()
{
    mirrorDepth_ = 0;
    mirrorsDrawn = 0;
}

void SectorRenderer::renderFrame()
{
    if (!world || !portalCamera)
        return;
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT, GL_FILL);
    glPolygonMode(GL_BACK, GL_LINE);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_CULL_FACE);
    glDisable(GL_STENCIL_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    frameEye = portalCamera->eye();
    rootPass_.begin(portalCamera);
    currentPass = &rootPass_;
    drawPass();
}

void SectorRenderer::drawPass()
{
    PassState& pass = *currentPass;
    // By index: a mirror met on the way runs its own pass with its own
    // camera, but nothing may assume this list's storage stays put.
    for (std::size_t i = 0; i < pass.camera->visible.size(); ++i)
        drawSector(pass.camera->visible[i]);
    if (pass.skyTile != PassState::noSky) {
        glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glPolygonMode(GL_FRONT, GL_FILL);
        glPolygonMode(GL_BACK, GL_LINE);
        skyFog();
        glEnable(GL_CULL_FACE);
        Vector3 player = playerCamera ? playerCamera->position() : frameEye;
        drawSky(pass.skyTile, player.x, player.y);
        glPopAttrib();
    }
    drawTransparent();
    if (debugFlag && playerCamera)
        drawSectorOutline(*world, playerCamera->sector, {.markFirstWall = true});
}

void SectorRenderer::drawSector(int s)
{
    if (!inRange(s, world->sectors.size()))
        return;
    if (s < listCount_)
        glCallList(listBase_ + unsigned(s));
    const WorldSector& sector = world->sectors[std::size_t(s)];
    // The ceiling wins within a sector, a later sector over an earlier one.
    if (sector.floorParallax)
        currentPass->skyTile = sector.floorTile;
    if (sector.ceilingParallax)
        currentPass->skyTile = sector.ceilingTile;
    collectItems(s, sector);
}

// Distances are measured from the top-level eye in every pass.
void SectorRenderer::collectItems(int s, const WorldSector& sector)
{
    for (int w : sector.walls) {
        if (!inRange(w, world->walls.size()))
            continue;
        const WorldWall& wall = world->walls[std::size_t(w)];
        if ((wall.middle.flags & pieceMasked) && w <= TransparentItem::indexMask &&
            world->hasPoints(w)) {
            const WallPoint& a = world->points[std::size_t(wall.index)];
            const WallPoint& b = world->points[std::size_t(wall.nextPoint)];
            double d = std::min(planarDistance(frameEye, a.x, a.y), planarDistance(frameEye, b.x, b.y));
            currentPass->items.push_back(TransparentItem{w | TransparentItem::wallBit, d});
        }
        if (wall.middle.flags & pieceMirror)
            drawMirror(wall.middle, s);
    }
    for (int i : sector.sprites) {
        if (!inRange(i, world->sprites.size()) || i > TransparentItem::indexMask)
            continue;
        const Vector3& p = world->sprites[std::size_t(i)].position;
        currentPass->items.push_back(
            TransparentItem{i | TransparentItem::spriteBit, planarDistance(frameEye, p.x, p.y)});
    }
}

void SectorRenderer::drawTransparent()
{
    PassState& pass = *currentPass;
    glPushAttrib(GL_TEXTURE_BIT | GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    std::sort(pass.items.begin(), pass.items.end(),
              [](const TransparentItem& a, const TransparentItem& b) { return a.distance > b.distance; });
    const Vector3 eye = pass.camera->eye();
    for (const TransparentItem& item : pass.items) {
        std::size_t i = std::size_t(item.index());
        if (item.isSprite()) {
            if (i < world->sprites.size())
                drawSprite(world->sprites[i], eye);
        } else if (i < world->walls.size()) {
            drawPiece(world->walls[i].middle, true, true);
        }
    }
    glPopAttrib();
}

void SectorRenderer::drawOverlay()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    if (debugFlag && playerCamera) {
        drawPlayerArrow();
        drawAxesMarker(*playerCamera);
    }
}

} // namespace Vell3D
