#include "RenderScene.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "core/Exception.h"
#include "core/Stream.h"
#include "tests/support/SharedGL.h"
#include "tools/ArtWriter.h"
#include "tools/FileOutput.h"
#include "tools/GroupWriter.h"
#include "tools/MapWriter.h"
#include "tools/PaletteWriter.h"

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

ArchiveTiles::ArchiveTiles(const VellTools::Bytes& group)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "render-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("no scratch folder");
    folder = pattern;
    std::string path = (folder / "tiles.grp").string();
    VellTools::writeFile(path, group);
    archive.open(path.c_str());
    tiles.load(archive, "tiles", "palette.dat");
}

ArchiveTiles::~ArchiveTiles()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

namespace {

VellTools::Bytes solidArchive(const std::vector<Rgb>& colours)
{
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
    return group.bytes();
}

} // namespace

SolidTiles::SolidTiles(const std::vector<Rgb>& colours) : ArchiveTiles(solidArchive(colours)) {}

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
    player.world = &world;
    player.parentNode = &worldNode;
    camera.source = &player;
    resize(size, size);
}

void Scene::resize(int w, int h)
{
    width = w;
    height = h;
    camera.setXScale(80.0 / w);
    camera.setYScale(60.0 / h);
}

void Scene::use(Vell3D::Renderer& renderer)
{
    current = &renderer;
    worldNode.renderer = &renderer;
    player.renderer = &renderer;
    camera.renderer = &renderer;
    renderer.setScene(&worldNode, &camera, &player, &world);
    renderer.prepare();
}

void Scene::resetCamera()
{
    player.takePlacement(world.camera);
    camera.reset();
    camera.translate(0.0, 0.0, 500.0);
    camera.rotate(90.0, 1.0, 0.0, 0.0);
    resize(width, height);
    camera.setNear(50.0);
    camera.setFar(200000.0);
}

void Scene::turnPlayer(double degrees)
{
    player.rotate(degrees, 0.0, 0.0, 1.0);
    camera.translate(0.0, 0.0, 0.0);
}

void Scene::frame()
{
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    current->beginFrame();
    camera.setViewport(Vell::Size(width, height));
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
