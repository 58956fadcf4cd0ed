#include "RenderScene.h"

#include <GL/gl.h>

#include <cmath>

#include "tests/support/MapLoading.h"
#include "tests/support/SharedGL.h"
#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/PaletteWriter.h"

namespace RenderTests {

namespace {

VellTools::Bytes paletteOf(const std::vector<Rgb>& colours)
{
    // Many shade tables: shade 0 then darkens surfaces by only 3/64.
    VellTools::PaletteWriter palette;
    palette.addPlainShadeTables(61);
    for (std::size_t t = 0; t < colours.size(); ++t)
        palette.setColor(int(t) + 1, std::uint8_t(colours[t].red), std::uint8_t(colours[t].green),
                         std::uint8_t(colours[t].blue));
    return palette.bytes();
}

VellTools::Bytes artOf(const std::vector<Rgb>& colours)
{
    VellTools::ArtWriter art(0);
    for (std::size_t t = 0; t < colours.size(); ++t)
        art.add({64, 64, 0, VellTools::Bytes(64 * 64, std::uint8_t(t + 1))});
    return art.bytes();
}

} // namespace

SolidTiles::SolidTiles(const std::vector<Rgb>& colours) : TileArchive(paletteOf(colours), artOf(colours)) {}

std::vector<Rgb> basicColours()
{
    return {{16, 16, 16}, {63, 0, 0}, {0, 63, 0}, {0, 0, 63}, {63, 63, 0}, {63, 63, 63}};
}

std::int32_t mapZ(double worldZ)
{
    return std::int32_t(std::lround(-16.0 * worldZ));
}

std::vector<VellTools::MapPoint> box(int x0, int y0, int x1, int y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

VellTools::MapBuilder builder()
{
    VellTools::MapBuilder b;
    b.sectorDefaults.visibility = 240;
    return b;
}

Scene::Scene(const VellTools::MapContent& content, TileSet& tiles)
{
    world.build(TestSupport::loadMap(content));
    world.attachTextures(tiles);
    walk.setWorld(&world);
    resize(size, size);
}

// The view's frustum (+-40 x +-30 at the near distance) in the test's
// viewport.
void Scene::resize(int w, int h)
{
    width = w;
    height = h;
    camera.setXScale(80.0 / w);
    camera.setYScale(60.0 / h);
}

void Scene::use(Vell3D::Renderer& renderer)
{
    walk.useRenderer(&renderer);
}

void Scene::resetCamera()
{
    walk.resetCamera();
    resize(width, height);
}

void Scene::turnPlayer(double degrees)
{
    player.rotate(degrees, 0.0, 0.0, 1.0);
    camera.updateVisibility();
}

void Scene::frame()
{
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    walk.drawFrame(Vell::Size(width, height));
}

Rgb Scene::pixel(int x, int y) const
{
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return Rgb{rgba[0], rgba[1], rgba[2]};
}

SolidScene::SolidScene(const VellTools::MapContent& content) : scene(content, tiles.tiles)
{
    scene.use(scene.sectors);
    scene.resetCamera();
}

void RenderTest::SetUp()
{
    TestSupport::makeSharedGLCurrent();
}

} // namespace RenderTests
