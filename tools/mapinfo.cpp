// mapinfo: prints what the viewers would load for a map name: the table
// sizes and the player's start, then (MapSummary) the archive's tile set, the
// number of convex pieces of the plan view's world, a summary of the map's
// features and warnings about broken references and a bad art file, and last
// the file's version (added after the lines scripts already read, which keep
// their places). The map is found by the viewers' own rule ("$" is the
// archive's default map, then a file on disk, then an entry).
// Failures are reported like any unhandled exception of the library (exit
// status 1); a wrong command line prints the usage text on standard error
// (exit status 2), --help on standard output (exit status 0).
#include "core/Console.h"
#include "core/UnhandledReport.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"
#include "mapdata/MapSource.h"
#include "mapdata/TileSet.h"
#include "tools/MapSummary.h"
#include "world/World.h"

using namespace Vell3D;

namespace {

constexpr const char* usageText = "use: mapinfo <grpfile> <mapname>\n\n"
                                  "the <mapname> is first tried as a filename, "
                                  "then as a map name within the grp file; $ is e3l1.map\n\n";

// One labelled line per value, labels padded to 13 characters like the
// map's own lines.
void printMapInfo(Vell::TextStream& out, const Map& map)
{
    const Vector3& start = map.start();
    out << map
        << "start      : " << start.x << " " << start.y << " " << start.z << "\n"
        << "angle      : " << int(map.startAngle()) << "\n"
        << "sector     : " << int(map.startSector()) << "\n";
}

int run(int argc, char** argv)
{
    if (const auto status = Vell::answerOptions(argc, argv, usageText))
        return *status;
    if (argc != 3)
        return Vell::printUsage(usageText);
    GroupArchive archive;
    archive.open(argv[1]);
    Map map = loadMapByName(archive, argv[2]);
    TileSet tiles;
    tiles.load(archive, "tiles", "palette.dat");
    // Everything that can fail runs before the first line is written.
    World world;
    World::BuildOptions plan;
    plan.planOnly = true;
    try {
        world.build(map, plan);
        world.buildPieces();
    } catch (...) {
        rethrowNamingMap(argv[2]);
    }
    VellTools::MapSummary summary(map, world, tiles);
    Vell::TextStream& out = Vell::console();
    printMapInfo(out, map);
    summary.print(out);
    out << "version    : " << int(map.version()) << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return Vell::runGuarded([&] { return run(argc, argv); });
}
