#include "WorldFixtures.h"

#include <cmath>
#include <stdexcept>

#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/PaletteWriter.h"

using namespace Vell3D;

namespace WorldFixtures {

namespace {

std::vector<VellTools::MapPoint> square(int x0)
{
    return {{x0, 0}, {x0 + 1024, 0}, {x0 + 1024, 1024}, {x0, 1024}};
}

VellTools::Bytes plainPalette()
{
    VellTools::PaletteWriter palette;
    palette.addPlainShadeTables(1);
    return palette.bytes();
}

VellTools::Bytes artOf(const std::vector<std::pair<int, int>>& sizes)
{
    VellTools::ArtWriter art(0);
    for (auto [w, h] : sizes)
        art.add({w, h, 0, VellTools::Bytes(std::size_t(w) * std::size_t(h), 1)});
    return art.bytes();
}

} // namespace

std::int32_t mapZ(double worldZ)
{
    return std::int32_t(std::lround(-16.0 * worldZ));
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

TileFixture::TileFixture(const std::vector<std::pair<int, int>>& sizes) : TileArchive(plainPalette(), artOf(sizes))
{
}

BuiltRooms::BuiltRooms(double floor0, double ceiling0, double floor1, double ceiling1)
    : rooms(twoRooms(floor0, ceiling0, floor1, ceiling1))
{
    world.build(loadMap(finish(rooms)));
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
