// The surface routines drawn alone, seen from straight above with an
// orthographic view, plus the GL services the renderer needs: fog, the
// occlusion query check and the aim marker.
#include <GL/gl.h>

#include <cmath>
#include <string>

#include "core/Exception.h"
#include "RenderScene.h"
#include "render/OcclusionQueries.h"

using namespace RenderTests;
using Vell3D::OcclusionQueries;
using Vell3D::SectorRenderer;

namespace {

// A 200-unit square sector (world x and y in -100..100) with a 60-unit hole
// in its middle; floor at 0, ceiling at 64.
VellTools::MapContent holedSquare()
{
    VellTools::MapBuilder b = builder();
    b.sectorDefaults.floorTile = green;
    b.sectorDefaults.ceilingTile = blue;
    b.wallDefaults.tile = red;
    int s = b.addSector(box(-100, -100, 100, 100), mapZ(0), mapZ(64));
    b.addInnerLoop(s, {{-30, -30}, {-30, 30}, {30, 30}, {30, -30}});
    b.setStart(-60, -60, 0, 0, 0);
    return b.build();
}

class Surfaces : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        if (HasFatalFailure())
            return;
        tiles = std::make_unique<SolidTiles>(basicColours());
        scene = std::make_unique<Scene>(holedSquare(), tiles->tiles);
        scene->sectors.setScene(nullptr, nullptr, &scene->player, &scene->world);
    }
    // From above (or from below), world x and y -128..128 across the view.
    void view(bool fromBelow)
    {
        glViewport(0, 0, Scene::size, Scene::size);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-128, 128, -128, 128, -1000, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (fromBelow)
            glRotated(180.0, 1.0, 0.0, 0.0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDisable(GL_FOG);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glFrontFace(GL_CCW);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    bool lit(int x, int y) const
    {
        Rgb p = scene->pixel(x, y);
        return p.red + p.green + p.blue > 30;
    }

    // Held by pointer: their destructors may throw, a fixture's may not.
    std::unique_ptr<SolidTiles> tiles;
    std::unique_ptr<Scene> scene;
};

} // namespace

// The floor faces up and the ceiling down; each wall loop is a contour, so
// the hole stays empty.
TEST_F(Surfaces, FloorAndCeilingFaceOppositeWaysAndKeepTheirHoles)
{
    const WorldSector& sector = scene->world.sectors[0];
    view(false);
    scene->sectors.drawFloor(sector);
    EXPECT_TRUE(lit(8, 32));
    EXPECT_FALSE(lit(32, 32)) << "the hole";
    EXPECT_TRUE(scene->pixel(8, 32).green > 150);
    view(false);
    scene->sectors.drawCeiling(sector);
    EXPECT_FALSE(lit(8, 32)) << "the ceiling's back, culled";
    view(true);
    scene->sectors.drawCeiling(sector);
    EXPECT_TRUE(lit(8, 32));
    EXPECT_FALSE(lit(32, 32));
    EXPECT_TRUE(scene->pixel(8, 32).blue > 150);
}

// The tessellator's new vertices come from a pool that grows: a floor whose
// outline crosses itself again and again still draws.
TEST_F(Surfaces, SelfCrossingOutlineGrowsTheCombinePool)
{
    WorldSector& sector = scene->world.sectors[0];
    std::vector<WallPoint>& points = scene->world.points;
    // Lay the outer loop's 4 points and the hole's 4 out as a star {8/3}.
    for (int i = 0; i < 8; ++i) {
        double angle = i * 3 * 2 * M_PI / 8;
        points[std::size_t(i)].x = 100 * std::cos(angle);
        points[std::size_t(i)].y = 100 * std::sin(angle);
    }
    for (std::size_t w = 0; w < 8; ++w) {
        scene->world.walls[w].nextPoint = int((w + 1) % 8);
    }
    view(false);
    glDisable(GL_CULL_FACE);
    scene->sectors.drawFloor(sector);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_TRUE(lit(32 + 20, 32));
}

TEST_F(Surfaces, PiecesWithoutHeightAndMirrorPiecesAreNeverDrawnAsQuads)
{
    WallPiece piece = scene->world.walls[0].upper;
    // Lay the wall flat over the view so that it covers the middle.
    piece.corners[0] = Vell3D::Vector3(100, 100, 0);
    piece.corners[1] = Vell3D::Vector3(-100, 100, 0);
    piece.corners[2] = Vell3D::Vector3(-100, -100, 0);
    piece.corners[3] = Vell3D::Vector3(100, -100, 0);
    view(false);
    glDisable(GL_CULL_FACE);
    piece.flags = pieceSolid | pieceMirror;
    scene->sectors.drawPiece(piece, true, true);
    EXPECT_FALSE(lit(32, 32)) << "mirror, even forced";
    piece.flags = pieceMasked;
    scene->sectors.drawPiece(piece, true, false);
    EXPECT_FALSE(lit(32, 32)) << "not solid, not forced";
    // No height: both vertical edges 0.1 or less.
    WallPiece flat = piece;
    flat.corners[1].z = flat.corners[2].z + 0.1;
    flat.corners[0].z = flat.corners[3].z - 0.1;
    flat.flags = pieceSolid;
    scene->sectors.drawPiece(flat, true, true);
    EXPECT_FALSE(lit(32, 32)) << "no height";
    piece.corners[1].z = 0.2;
    scene->sectors.drawPiece(piece, true, true);
    EXPECT_TRUE(lit(32, 32));
}

TEST_F(Surfaces, SectorFogFollowsVisibility)
{
    SectorRenderer::sectorFog(1.0);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    SectorRenderer::sectorFog(239.0 / 255.0);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    GLfloat start = 0, end = 0;
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    EXPECT_EQ(start, 50.0f);
    EXPECT_NEAR(end, 43922.0, 1.0);
    glDisable(GL_FOG);
}

namespace {

std::string asked;
void* fakeLookup(const char* name)
{
    asked += std::string(name) + " ";
    static int anything;
    return std::string(name).find("Quer") != std::string::npos ? &anything : nullptr;
}
void* nothingLookup(const char*)
{
    return nullptr;
}

} // namespace

// Current drivers publish occlusion queries under the ARB name or as core
// 1.5 functions; any of the three is accepted, NV first.
TEST(OcclusionQueriesBinding, AcceptsTheNvOrArbExtensionOrCoreQueries)
{
    asked.clear();
    EXPECT_EQ(OcclusionQueries::require("GL_A GL_NV_occlusion_query GL_B", 1, 1, fakeLookup),
              OcclusionQueries::Source::nv);
    EXPECT_EQ(asked.rfind("glGenOcclusionQueriesNV", 0), 0u);
    EXPECT_EQ(OcclusionQueries::require("GL_ARB_occlusion_query", 1, 4, fakeLookup), OcclusionQueries::Source::arb);
    EXPECT_EQ(OcclusionQueries::require("GL_EXT_other", 2, 1, fakeLookup), OcclusionQueries::Source::core);
    EXPECT_EQ(OcclusionQueries::require(nullptr, 1, 5, fakeLookup), OcclusionQueries::Source::core);
    for (auto [extensions, major, minor] : {std::tuple{"GL_EXT_other", 1, 4}, std::tuple{"", 1, 1}}) {
        try {
            OcclusionQueries::require(extensions, major, minor, fakeLookup);
            ADD_FAILURE() << extensions << " " << major << "." << minor;
        } catch (Vell::Exception& e) {
            EXPECT_STREQ(e.message(), "can't find occlusion queries in the OpenGL driver (GL_NV_occlusion_query, GL_ARB_occlusion_query or OpenGL 1.5)");
        }
    }
    // Named but not resolvable is not available.
    EXPECT_THROW(OcclusionQueries::require("GL_NV_occlusion_query", 3, 0, nothingLookup), Vell::Exception);
}

class AimMarker : public RenderTest {};

TEST_F(AimMarker, DrawsWhereTheRayHitsAndNothingWhenItHitsNothing)
{
    VellTools::MapBuilder b = builder();
    b.addSector(box(0, 0, 4096, 4096), mapZ(0), mapZ(1024));
    b.setStart(3700, 2048, 0, 0, 0);
    SolidScene solid(b.build());
    Scene& scene = solid.scene;
    scene.frame();
    // In the portal camera's frame the model-view is the identity.
    auto markerPixels = [&](const Vell3D::Vector3& point) {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.sectors.drawAimMarker(point);
        int count = 0;
        for (int y = 0; y < Scene::size; ++y)
            for (int x = 0; x < Scene::size; ++x)
                count += scene.pixel(x, y).blue > 0;
        return count;
    };
    EXPECT_GT(markerPixels(Vell3D::Vector3(0, 0, -250000)), 20) << "the wall 396 units ahead";
    EXPECT_EQ(markerPixels(Vell3D::Vector3(0, 0, -100)), 0) << "a ray that ends in the room";
}
