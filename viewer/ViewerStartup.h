// ViewerStartup: the start-up steps that both viewers share, so that each
// program's init is its own short sequence of them:
//
//   if (!ViewerStartup::checkArguments(arguments, "walkview")) return false;
//   ViewerStartup::openArchive(archive, arguments.at(1));
//   ViewerStartup::loadTiles(tiles, archive);
//   ... the program's main window and view ...
//   ViewerStartup::loadWorld(archive, arguments.at(2), [&](const Map& map) { ... });
//
// The command line is "<program> <grpfile> <mapname>"; the map name follows
// the viewers' rule (loadMapByName): "$" is the archive's default map, any
// other name a file on disk first and an archive entry second.
#pragma once

#include <functional>

#include "core/List.h"
#include "core/String.h"
#include "core/UnhandledReport.h"
#include "mapdata/TileSet.h"

namespace Vell3D {

class GroupArchive;
class Map;

class ViewerStartup {
public:
    // The program name, the archive and the map.
    static constexpr int argumentCount = 3;
    // The process status after the usage text, as the command-line tools
    // end on a wrong command line.
    static constexpr int usageStatus = Vell::usageStatus;
    static constexpr const char* paletteName = "palette.dat";
    static constexpr const char* tileBaseName = "tiles";

    // Builds the program's world from the map; the map lives only for the
    // call.
    using WorldBuilder = std::function<void(const Map& map)>;

    // False after writing the usage text when the command line is not
    // exactly the program, the archive and the map. Nothing is opened then.
    static bool checkArguments(const Vell::List<Vell::String>& arguments, const char* program);
    // The usage text on the console; the viewers' texts differ only in the
    // program's name.
    static void writeUsage(const char* program);
    // Reads the archive's header and directory; the archive's failures pass
    // to the caller.
    static void openArchive(GroupArchive& archive, const Vell::String& path);
    // The palette first (a missing "palette.dat" fails), then every art file
    // until the first that cannot be read.
    static void loadTiles(TileSet& tiles, GroupArchive& archive,
                          TileSet::Index255 index255 = TileSet::Index255::grey);
    // Reads the map by the viewers' rule and hands it to build; the map and
    // the stream it came from are gone when this returns.
    static void loadWorld(GroupArchive& archive, const Vell::String& mapName, const WorldBuilder& build);
};

} // namespace Vell3D
