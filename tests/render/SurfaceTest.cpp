// The GL services the renderer needs: fog, the occlusion query check and the
// aim marker. What the surfaces are is tested without GL (tests/surfaces).
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

class Surfaces : public RenderTest {};

} // namespace

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
