// Mirrors: the mirror's area is marked in the stencil, its depth reset, the
// world drawn again through the reflection (clipped to the viewer's side of
// the mirror plane) and the glass laid over it. A mirror met inside a
// mirror goes one level deeper, up to maxMirrorDepth.
#include <cmath>

#include "render/MirrorLevel.h"
#include "mapdata/MapFlags.h"

namespace Vell3D {

SectorRenderer::MirrorLevel& SectorRenderer::mirrorLevel(int depth)
{
    while (int(mirrorLevels.size()) < depth)
        mirrorLevels.push_back(std::make_unique<MirrorLevel>());
    return *mirrorLevels[std::size_t(depth - 1)];
}

const PortalCamera* SectorRenderer::mirrorCamera(int depth) const
{
    if (depth < 1 || depth > int(mirrorLevels.size()))
        return nullptr;
    return &mirrorLevels[std::size_t(depth - 1)]->camera;
}

void SectorRenderer::drawMirror(const WallPiece& mirror, int sector)
{
    if (!mirror.hasHeight())
        return;
    PortalCamera& passCamera = *currentPass->camera;
    // Seen from behind, edge-on (a wall of no length among them), outside
    // the view or outside the part of it through which its sector is seen:
    // nothing to draw.
    if (!passCamera.sees(mirror))
        return;
    const ViewWindow window = passCamera.windowThrough(mirror, sector);
    if (window.empty())
        return;
    GLdouble keptPlane[4];
    glGetClipPlane(GL_CLIP_PLANE0, keptPlane);
    if (mirrorDepth_ >= maxMirrorDepth)
        return;
    ++mirrorsDrawn;
    const int k = ++mirrorDepth_;
    const Vector3* c = mirror.corners;
    Vector3 normal = Vector3(-(c[1].y - c[0].y), c[1].x - c[0].x, 0.0).normalized();
    const Matrix4 reflection = Matrix4::reflection(c[0], normal);

    MirrorLevel& level = mirrorLevel(k);
    level.saved.capture();
    markArea(mirror, k);

    PassState* keptPass = currentPass;
    enterMirror(level, mirror, sector, normal, passCamera, window);

    glMatrixMode(GL_MODELVIEW);
    glGetDoublev(GL_MODELVIEW_MATRIX, level.modelview);
    glMultMatrixd(reflection.data());
    glFrontFace(k % 2 ? GL_CW : GL_CCW);
    Plane clip(c[0], c[1], c[2]);
    const GLdouble equation[4] = {clip.a, clip.b, clip.c, clip.d};
    glClipPlane(GL_CLIP_PLANE0, equation);
    glEnable(GL_CLIP_PLANE0);
    drawPass();
    glDisable(GL_CLIP_PLANE0);
    glFrontFace(k % 2 ? GL_CCW : GL_CW);
    // The matrix as it was, rather than times the reflection again: the
    // driver's single precision would drift a little with every level, and
    // the picture outside a mirror would depend on what was drawn in it.
    glLoadMatrixd(level.modelview);
    currentPass = keptPass;
    clipTo(passCamera, sector);

    // The glass, at about a quarter strength and in its sector's fog (the
    // reflection left whatever fog it drew last); the stencil of the area
    // goes back to the enclosing level's value.
    sectorFog(world->sectors[std::size_t(sector)].fogFactor);
    glEnable(GL_TEXTURE_2D);
    bindTile(SpecialTiles::mirrorGlass, true);
    glColor4ub(255, 255, 255, 64);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
    drawQuad(mirror.texCoords, mirror.corners);

    // The kept equation is in eye coordinates: given again under the
    // identity it comes back unchanged, whatever the model-view holds now.
    glPushMatrix();
    glLoadIdentity();
    glClipPlane(GL_CLIP_PLANE0, keptPlane);
    glPopMatrix();
    level.saved.restore();
    --mirrorDepth_;
}

// Marks the visible part of the mirror with stencil value k, then pushes
// its depth to the far value and paints it yellow, which shows wherever the
// reflection leaves a gap. Marking only where the enclosing level's mark
// lies keeps a mirror seen in a mirror inside the outer mirror's area.
void SectorRenderer::markArea(const WallPiece& mirror, int k)
{
    glDisable(GL_TEXTURE_2D);
    glColor4ub(255, 255, 0, 255);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, k - 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    drawQuad(mirror.texCoords, mirror.corners);

    glStencilFunc(GL_EQUAL, k, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glDepthRange(1.0, 1.0);
    glDepthFunc(GL_ALWAYS);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    drawQuad(mirror.texCoords, mirror.corners);

    glDepthFunc(GL_LESS);
    glDepthRange(0.0, 1.0);
    glEnable(GL_TEXTURE_2D);
}

// The reflected camera follows the camera of the pass the mirror is met in
// (the player at the top level, the enclosing reflection inside a mirror),
// so that its eye and visible set match the picture, which the model-view
// matrix composes from every reflection on the way.
void SectorRenderer::enterMirror(MirrorLevel& level, const WallPiece& mirror, int sector,
                                 const Vector3& normal, const PortalCamera& passCamera,
                                 const ViewWindow& window)
{
    PlayerNode& reflected = level.reflected;
    const PlayerNode* passSource = passCamera.source ? passCamera.source : playerCamera;
    reflected.reset();
    reflected.reflect(mirror.corners[0], normal);
    if (passSource)
        reflected.multiply(*passSource);
    reflected.sector = sector;
    reflected.world = world;
    reflected.setParent(playerCamera ? playerCamera->parent() : nullptr);

    PortalCamera& camera = level.camera;
    camera.reset();
    camera.multiply(*portalCamera);
    camera.setPitch(portalCamera->pitchAngle());
    camera.narrowing = portalCamera->narrowing;

    level.pass.begin(&camera);
    currentPass = &level.pass;
    camera.updateMirrorVisibility(mirror.corners, sector, window);
    reflected.setParent(nullptr);
}

} // namespace Vell3D
