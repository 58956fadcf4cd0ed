// Fuzz target: a map file as the viewers meet it, turned into both worlds.
// The input is loaded from a file, built into the 3D world (texture
// coordinates from a small fixed tile set) and into the plan view's world
// with its convex pieces; then a player walks a few steps in each and rays
// are cast around him. Texture coordinates need only the tile sizes, so no
// GL context is made.
#include <cstdint>
#include <memory>
#include <vector>

#include "MemoryFile.h"
#include "core/Exception.h"
#include "core/File.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"
#include "mapdata/TileSet.h"
#include "tools/authoring/ArtWriter.h"
#include "tools/authoring/GroupWriter.h"
#include "tools/authoring/PaletteWriter.h"
#include "world/PlayerNode.h"
#include "world/World.h"

using namespace Vell3D;

namespace {

// Tiles of a few shapes, among them empty and one-texel ones.
struct Tiles {
    MemoryFile file{"fuzz-world-tiles"};
    GroupArchive archive;
    TileSet set;

    Tiles()
    {
        VellTools::PaletteWriter palette;
        palette.addShadeTable(VellTools::ShadeTable{});
        VellTools::ArtWriter art(0);
        for (auto [w, h] : {std::pair{64, 64}, {0, 0}, {1, 1}, {16, 128}, {128, 8}}) {
            VellTools::ArtTile tile;
            tile.width = w;
            tile.height = h;
            // Drawn and transparent pixels, for the sight's sprite test.
            for (int i = 0; i < w * h; ++i)
                tile.pixels.push_back(i % 3 ? 7 : 255);
            art.add(tile);
        }
        VellTools::GroupWriter writer;
        writer.add("PALETTE.DAT", palette.bytes());
        writer.add("TILES000.ART", art.bytes());
        VellTools::Bytes bytes = writer.bytes();
        file.replace(bytes.data(), bytes.size());
        archive.open(file.path());
        set.load(archive, "tiles", "palette.dat");
    }
};

// The aim marker's ray and the info panel's line of sight, which looks at
// the sprites of every sector.
void look(World& world, RayHit hit, TileSet* tiles)
{
    world.castRay(hit);
    std::vector<int> everySector(world.sectors.size());
    for (std::size_t s = 0; s < everySector.size(); ++s)
        everySector[s] = int(s);
    world.castSight(hit, everySector, tiles);
}

void walkAndLook(World& world, TileSet* tiles)
{
    PlayerNode player;
    player.world = &world;
    player.takePlacement(world.camera);
    const double steps[][3] = {{0, 100, 0}, {100, 0, 0}, {0, -100, 0}, {-100, 0, 7}, {0, 2500, 0}, {0, 0, 0}};
    for (const auto& step : steps) {
        player.move(step[0], step[1], step[2]);
        player.rotate(37.0, 0, 0, 1);
        RayHit hit;
        hit.origin = player.position();
        hit.target = player.toParent(Vell3D::Vector3(0, 20000, -3000));
        hit.sector = player.sector;
        look(world, hit, tiles);
        hit.target = player.toParent(Vell3D::Vector3(300, 300, 5000));
        look(world, hit, tiles);
    }
}

void buildWorlds(const Map& map, TileSet& tiles)
{
    World world;
    try {
        world.build(map);
    } catch (Vell::Exception&) {
        return;
    }
    world.attachTextures(tiles);
    walkAndLook(world, &tiles);

    World plan;
    World::BuildOptions options;
    options.planOnly = true;
    plan.build(map, options);
    plan.buildPieces();
    walkAndLook(plan, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Tiles tiles;
    static MemoryFile input("fuzz-world");
    input.replace(data, size);
    Map map;
    try {
        Vell::File file(input.path(), Vell::File::readOnly);
        map.load(file);
    } catch (Vell::Exception&) {
        return 0;
    }
    buildWorlds(map, tiles.set);
    return 0;
}
