#include "RenderScene.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "core/Exception.h"
#include "core/FileOutput.h"
#include "core/Stream.h"
#include "tests/support/SharedGL.h"
#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/GroupWriter.h"
#include "tools/authoring/MapWriter.h"
#include "tools/authoring/PaletteWriter.h"

namespace RenderTests {

namespace {

class MemoryStream : public Vell::Stream {
public:
    explicit MemoryStream(VellTools::Bytes data) : bytes(std::move(data)) {}
    std::uint8_t readByte() override
    {
        if (position >= bytes.size())
            throw Vell::IOException();
        return bytes[position++];
    }
    void writeByte(std::uint8_t) override { throw Vell::IOException(); }

private:
    VellTools::Bytes bytes;
    std::size_t position = 0;
};

} // namespace

SolidTiles::SolidTiles(const std::vector<Rgb>& colours)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "render-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("no scratch folder");
    folder = pattern;

    // Many shade tables: shade 0 then darkens surfaces by only 3/64.
    VellTools::PaletteWriter palette;
    VellTools::ShadeTable identity;
    for (int i = 0; i < 256; ++i)
        identity[std::size_t(i)] = std::uint8_t(i);
    for (int i = 0; i < 61; ++i)
        palette.addShadeTable(identity);
    VellTools::ArtWriter art(0);
    for (std::size_t t = 0; t < colours.size(); ++t) {
        palette.setColor(int(t) + 1, std::uint8_t(colours[t].red), std::uint8_t(colours[t].green),
                         std::uint8_t(colours[t].blue));
        VellTools::ArtTile tile;
        tile.width = 64;
        tile.height = 64;
        tile.pixels.assign(64 * 64, std::uint8_t(t + 1));
        art.add(tile);
    }
    VellTools::GroupWriter group;
    group.add("PALETTE.DAT", palette.bytes());
    group.add("TILES000.ART", art.bytes());
    std::string path = (folder / "tiles.grp").string();
    Vell::writeFile(path, group.bytes());
    archive.open(path.c_str());
    tiles.load(archive, "tiles", "palette.dat");
}

SolidTiles::~SolidTiles()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

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
    MemoryStream stream(VellTools::MapWriter::bytes(content));
    Map map;
    map.load(stream);
    world.build(map);
    world.attachTextures(tiles);
    walk.setWorld(&world);
    // The view's frustum in the test's square viewport.
    camera.setXScale(80.0 / size);
    camera.setYScale(60.0 / size);
}

void Scene::use(Vell3D::Renderer& renderer)
{
    walk.useRenderer(&renderer);
}

void Scene::resetCamera()
{
    walk.resetCamera();
    camera.setXScale(80.0 / size);
    camera.setYScale(60.0 / size);
}

void Scene::turnPlayer(double degrees)
{
    player.rotate(degrees, 0.0, 0.0, 1.0);
    camera.translate(0.0, 0.0, 0.0);
}

void Scene::frame()
{
    glViewport(0, 0, size, size);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    walk.drawFrame(Vell::Size(size, size));
}

Rgb Scene::pixel(int x, int y) const
{
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return Rgb{rgba[0], rgba[1], rgba[2]};
}

void RenderTest::SetUp()
{
    TestSupport::makeSharedGLCurrent();
}

} // namespace RenderTests
