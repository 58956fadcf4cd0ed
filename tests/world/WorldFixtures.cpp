#include "WorldFixtures.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "core/Exception.h"
#include "core/FileOutput.h"
#include "core/Stream.h"
#include "tests/support/MemoryStream.h"
#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/GroupWriter.h"
#include "tools/authoring/MapWriter.h"
#include "tools/authoring/PaletteWriter.h"

using namespace Vell3D;

namespace WorldFixtures {

namespace {

std::vector<VellTools::MapPoint> square(int x0)
{
    return {{x0, 0}, {x0 + 1024, 0}, {x0 + 1024, 1024}, {x0, 1024}};
}

} // namespace

std::int32_t mapZ(double worldZ)
{
    return std::int32_t(std::lround(-16.0 * worldZ));
}

Map loadMap(const VellTools::MapContent& content)
{
    TestSupport::MemoryStream stream(VellTools::MapWriter::bytes(content));
    Map map;
    map.load(stream);
    return map;
}

VellTools::MapContent squareRoom(double floor, double ceiling)
{
    VellTools::MapBuilder builder;
    builder.addSector(square(0), mapZ(floor), mapZ(ceiling));
    builder.setStart(512, 512, 0, 0, 0);
    return builder.build();
}

TwoRooms twoRooms(double floor0, double ceiling0, double floor1, double ceiling1)
{
    TwoRooms rooms;
    rooms.builder.addSector(square(0), mapZ(floor0), mapZ(ceiling0));
    rooms.builder.addSector(square(1024), mapZ(floor1), mapZ(ceiling1));
    rooms.builder.setStart(512, 512, 0, 0, 0);
    rooms.opening0 = rooms.opening1 = -1;
    return rooms;
}

VellTools::MapContent finish(TwoRooms& rooms)
{
    VellTools::MapContent content = rooms.builder.build();
    for (std::size_t w = 0; w < content.walls.size(); ++w) {
        if (content.walls[w].otherSector == 1)
            rooms.opening0 = int(w);
        if (content.walls[w].otherSector == 0)
            rooms.opening1 = int(w);
    }
    if (rooms.opening0 < 0 || rooms.opening1 < 0)
        throw std::runtime_error("rooms not joined");
    return content;
}

TileFixture::TileFixture(const std::vector<std::pair<int, int>>& sizes)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "world-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("no scratch folder");
    folder = pattern;

    VellTools::PaletteWriter palette;
    VellTools::ShadeTable identity;
    for (int i = 0; i < 256; ++i)
        identity[std::size_t(i)] = std::uint8_t(i);
    palette.addShadeTable(identity);
    VellTools::ArtWriter art(0);
    for (auto [w, h] : sizes) {
        VellTools::ArtTile tile;
        tile.width = w;
        tile.height = h;
        tile.pixels.assign(std::size_t(w) * std::size_t(h), 1);
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

TileFixture::~TileFixture()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

VellTools::MapContent roomRow(const std::vector<int>& edges, const std::vector<double>& floors)
{
    VellTools::MapBuilder builder;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        std::int32_t x0 = edges[i], x1 = edges[i + 1];
        builder.addSector({{x0, 0}, {x1, 0}, {x1, 1024}, {x0, 1024}}, mapZ(floors[i]), mapZ(floors[i] + 512));
    }
    builder.setStart(edges[0] + 10, 512, 0, 0, 0);
    return builder.build();
}

} // namespace WorldFixtures
