// Mirrors: the reflected room, the yellow of an empty reflection, the GL
// state after a mirror, 32 levels between two facing mirrors, and the eye
// of a mirror seen in a mirror.
#include <GL/gl.h>

#include <cmath>

#include "RenderScene.h"

using namespace RenderTests;

namespace {

constexpr int ceiling = 1024;

void makeMirror(VellTools::MapBuilder& b, int sector, int x, int y)
{
    b.wallFrom(sector, x, y).flags = WallBits::oneWay;
    b.wallFrom(sector, x, y).overTile = SpecialTiles::mirror;
}

// A 4096 x 2048 room; the wall at map x = 4096 is a mirror (with a sector
// behind it, as mirrors have), the wall at x = 0 is green and optionally a
// mirror too. The player stands 1024 from the first mirror, facing it.
VellTools::MapContent mirrorRoom(bool facingMirrors)
{
    VellTools::MapBuilder b = builder();
    b.wallDefaults.tile = red;
    b.addSector(box(0, 0, 4096, 2048), mapZ(0), mapZ(ceiling));
    b.addSector(box(4096, 0, 4608, 2048), mapZ(0), mapZ(ceiling));
    b.wallFrom(0, 0, 2048).tile = green;
    makeMirror(b, 0, 4096, 0);
    if (facingMirrors) {
        b.addSector(box(-512, 0, 0, 2048), mapZ(0), mapZ(ceiling));
        makeMirror(b, 0, 0, 2048);
    }
    b.setStart(3072, 1024, 0, 0, 0);
    return b.build();
}

} // namespace

class Mirrors : public RenderTest {};

TEST_F(Mirrors, MirrorShowsTheRoomBehindTheViewerOrYellowWhereNothingIs)
{
    SolidScene solid(mirrorRoom(false));
    Scene& scene = solid.scene;
    scene.frame();
    EXPECT_EQ(scene.sectors.mirrorCount(), 1);
    // The green wall behind the player, under the faint (neutral) glass.
    Rgb reflected = scene.pixel(26, 32);
    EXPECT_TRUE(reflected.green > 120 && reflected.red < 60) << reflected.red << " " << reflected.green;

    // A room without surfaces reflects nothing: the mirror's area keeps the
    // yellow it was opened with, under the glass.
    Scene empty(mirrorRoom(false), solid.tiles.tiles);
    empty.world.sectors[0].surfacesByTile.clear();
    empty.use(empty.sectors);
    empty.resetCamera();
    empty.frame();
    Rgb gap = empty.pixel(16, 32);
    EXPECT_TRUE(gap.red > 150 && gap.green > 150 && gap.blue < 60) << gap.red << " " << gap.blue;
}

// Two mirrors face each other: each level sees the other mirror, and the
// nesting stops after 32 levels, all of them counted. Afterwards the state
// that mirrors change is as it was.
TEST_F(Mirrors, FacingMirrorsNestThirtyTwoLevelsAndLeaveTheStateAsTheyFoundIt)
{
    SolidScene solid(mirrorRoom(true));
    Scene& scene = solid.scene;

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Keeps x > -5000 in eye coordinates: everything in view.
    const GLdouble keepAll[4] = {1.0, 0.0, 0.0, 5000.0};
    glClipPlane(GL_CLIP_PLANE0, keepAll);
    glEnable(GL_CLIP_PLANE0);
    scene.frame();
    EXPECT_EQ(scene.sectors.mirrorCount(), 32);
    EXPECT_EQ(scene.sectors.mirrorDepth(), 0);

    GLint frontFace = 0, depthFunc = 0;
    GLdouble depthRange[2] = {}, plane[4] = {};
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glGetDoublev(GL_DEPTH_RANGE, depthRange);
    glGetClipPlane(GL_CLIP_PLANE0, plane);
    EXPECT_EQ(frontFace, GL_CCW);
    EXPECT_EQ(depthFunc, GL_LESS);
    EXPECT_EQ(depthRange[0], 0.0);
    EXPECT_EQ(depthRange[1], 1.0);
    EXPECT_TRUE(glIsEnabled(GL_CLIP_PLANE0));
    EXPECT_EQ(std::vector<double>(plane, plane + 4), (std::vector<double>{1.0, 0.0, 0.0, 5000.0}));
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
    glDisable(GL_CLIP_PLANE0);

    // The wire renderer draws no mirrors and textures nothing.
    scene.use(scene.wires);
    scene.frame();
    EXPECT_EQ(scene.wires.mirrorCount(), 0);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    int lit = 0;
    for (int y = 0; y < Scene::size; ++y) {
        for (int x = 0; x < Scene::size; ++x) {
            Rgb p = scene.pixel(x, y);
            lit += p.red + p.green + p.blue > 0;
        }
    }
    EXPECT_GT(lit, 0);
}

// Mirror A (world x = W) and mirror B (world y = W) meet at a corner of
// room 0 ([0, W] x [0, W] in world x and y). B is seen in A. The picture in
// B is drawn through both reflections, from the eye R_B(R_A(E)); sector 4,
// reached from room 0 through sector 3 west of it, lies in view of that eye
// only (the eye R_B(E) sees past it).
TEST_F(Mirrors, MirrorInAMirrorIsWalkedFromTheComposedEye)
{
    const int w = 2048;
    VellTools::MapBuilder b = builder();
    b.addSector(box(-w, 0, 0, w), mapZ(0), mapZ(ceiling));                            // room 0
    b.addSector(box(-w - 512, 0, -w, w), mapZ(0), mapZ(ceiling));                     // behind A
    b.addSector(box(-w, w, 0, w + 512), mapZ(0), mapZ(ceiling));                      // behind B
    b.addSector({{0, 0}, {1536, 0}, {w, 0}, {w, w}, {0, w}}, mapZ(0), mapZ(ceiling)); // 3
    b.addSector(box(1536, -w, w, 0), mapZ(0), mapZ(ceiling));                         // 4
    makeMirror(b, 0, -w, w);   // A
    makeMirror(b, 0, 0, w);    // B
    b.setStart(-w / 2, w / 4, 0, 0, 0);
    SolidScene solid(b.build());
    Scene& scene = solid.scene;
    scene.turnPlayer(180.0);
    scene.frame();

    // A seen directly, B in A; then each sees the other only from behind.
    EXPECT_EQ(scene.sectors.mirrorCount(), 2);
    const Vell3D::PortalCamera* inner = scene.sectors.mirrorCamera(2);
    ASSERT_NE(inner, nullptr);
    Vell3D::Vector3 eye = inner->eye();
    EXPECT_NEAR(eye.x, 1.5 * w, 1e-6);
    EXPECT_NEAR(eye.y, 1.75 * w, 1e-6);
    const std::vector<int>& seen = inner->visible;
    EXPECT_NE(std::find(seen.begin(), seen.end(), 4), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), 3), seen.end());
}
