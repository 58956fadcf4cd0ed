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

SectorRenderer::SectorRenderer() = default;

SectorRenderer::~SectorRenderer() noexcept(false)
{
    deleteLists();
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
    glGetIntegerv(GL_VIEWPORT, viewport);
    glEnable(GL_SCISSOR_TEST);
    drawPass();
    glDisable(GL_SCISSOR_TEST);
}

// Nothing of a sector shows outside the parts of the view through which the
// walk reached it; cutting its drawing to them spares the rasteriser the
// rest. Windows are in the view's tangent units, the same in a mirror's
// pass; the box is rounded out by a pixel.
void SectorRenderer::clipTo(const PortalCamera& camera, int sector)
{
    clipTo(sector < 0 ? portalCamera->view() : camera.windowOf(sector));
}

void SectorRenderer::clipTo(const ViewWindow& window)
{
    const ViewWindow& view = portalCamera->view();
    if (view.empty()) {   // no view to measure by (a camera without a near distance)
        glScissor(viewport[0], viewport[1], viewport[2], viewport[3]);
        return;
    }
    const ViewWindow w = window.meet(view);
    if (w.empty()) {
        glScissor(viewport[0], viewport[1], 0, 0);
        return;
    }
    const double sx = viewport[2] / (view.right - view.left), sy = viewport[3] / (view.top - view.bottom);
    const int x0 = int(std::floor((w.left - view.left) * sx)) - 1, x1 = int(std::ceil((w.right - view.left) * sx)) + 1;
    const int y0 = int(std::floor((w.bottom - view.bottom) * sy)) - 1, y1 = int(std::ceil((w.top - view.bottom) * sy)) + 1;
    const int left = std::max(x0, 0), bottom = std::max(y0, 0);
    glScissor(viewport[0] + left, viewport[1] + bottom, std::min(x1, viewport[2]) - left, std::min(y1, viewport[3]) - bottom);
}

void SectorRenderer::drawPass()
{
    PassState& pass = *currentPass;
    // By index: a mirror met on the way runs its own pass with its own
    // camera, but nothing may assume this list's storage stays put.
    for (std::size_t i = 0; i < pass.camera->visible.size(); ++i)
        drawSector(pass.camera->visible[i]);
    // The sky shows only where a sky sector leaves its floor or ceiling
    // out, or in a hole the near plane cuts where nothing else is drawn.
    clipTo(joined(pass.skyWindow, pass.camera->holes()));
    pass.skyTile = pass.camera->skyTile(pass.skyTile);
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
    clipTo(*pass.camera, -1);
    drawTransparent();
    if (debugFlag && playerCamera)
        drawSectorOutline(*world, playerCamera->sector, {.markFirstWall = true});
}

void SectorRenderer::drawSector(int s)
{
    if (!inRange(s, world->sectors.size()))
        return;
    clipTo(*currentPass->camera, s);
    if (s < listCount_)
        glCallList(listBase_ + unsigned(s));
    const WorldSector& sector = world->sectors[std::size_t(s)];
    // The ceiling wins within a sector, a later sector over an earlier one.
    if (sector.floorParallax)
        currentPass->skyTile = sector.floorTile;
    if (sector.ceilingParallax)
        currentPass->skyTile = sector.ceilingTile;
    if (sector.floorParallax || sector.ceilingParallax)
        currentPass->skyWindow = joined(currentPass->skyWindow, currentPass->camera->windowOf(s));
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

// Each item is fogged as the sector that holds it, not as whichever sector
// happened to be drawn last, so the picture does not hang on the walk.
void SectorRenderer::itemFog(int sector, double& current)
{
    const double fog = inRange(sector, world->sectors.size()) ? world->sectors[std::size_t(sector)].fogFactor : 1.0;
    if (fog != current)
        sectorFog(fog);
    current = fog;
}

void SectorRenderer::drawTransparent()
{
    PassState& pass = *currentPass;
    glPushAttrib(GL_TEXTURE_BIT | GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT | GL_FOG_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    // Far to near; equal distances (the two faces of one masked wall) by
    // code, so the picture does not hang on the order the sectors were
    // found in.
    std::sort(pass.items.begin(), pass.items.end(), [](const TransparentItem& a, const TransparentItem& b) {
        return a.distance > b.distance || (a.distance == b.distance && a.code < b.code);
    });
    const Vector3 eye = pass.camera->eye();
    double fog = -1.0;
    for (const TransparentItem& item : pass.items) {
        std::size_t i = std::size_t(item.index());
        if (item.isSprite()) {
            if (i < world->sprites.size()) {
                itemFog(world->sprites[i].sector, fog);
                clipTo(*pass.camera, -1);
                drawSprite(world->sprites[i], int(i), eye);
            }
        } else if (i < world->walls.size()) {
            itemFog(world->walls[i].sector, fog);
            clipTo(*pass.camera, world->walls[i].sector);
            glDisable(GL_POLYGON_OFFSET_FILL);   // as a sprite may have left them
            glEnable(GL_CULL_FACE);
            if (const Surface* piece = middle(int(i)); piece && piece->kind != DrawKind::mirror) {
                bindTile(piece->tile, true);
                drawQuadSurface(middles_, *piece);
            }
        }
    }
    glPopAttrib();
    clipTo(*pass.camera, -1);
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
