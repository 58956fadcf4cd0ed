// ViewerStartup: how a map is started. The viewers' shell (ViewerApplication),
// mapshot and the benchmarks all start one this way:
//
//   ViewerStartup::openArchive(archive, grpfile);
//   ViewerStartup::loadTiles(tiles, archive);
//   ... the window and the view that shows the map (a ViewerPane) ...
//   const Map map = loadMapByName(archive, mapname, &shownName);
//   ViewerStartup::buildWorld(view, world, map, tiles, mapname);
//   view.setWorld(&world);
//
// The tiles are loaded before any window exists; the window and the view
// exist before the map is read, so a map that fails leaves them made; the
// view that shows the map builds the world it needs from it (the 3D view
// all of it with its textures, the plan the reduced world with its pieces)
// and sees it only once it is built. loadMapByName (mapdata/MapSource.h)
// follows the viewers' rule: "$" is the archive's default map, any other
// name a file on disk first and an archive entry second. The shell keeps
// the map, so that Tab can have the other view build its world from it
// later; PageDown and PageUp take the next map from the archive's entries
// (loadMapEntry) and build it the same way. mapshot drops the map.
//
// The viewers read their command line first: "<program> <grpfile>
// <mapname>", or "<program> --help" for the usage text alone.
#pragma once

#include <string>

#include "core/List.h"
#include "core/String.h"
#include "core/UnhandledReport.h"

namespace Vell3D {

class GroupArchive;
class Map;
class TileSet;
class ViewerPane;
class World;

class ViewerStartup {
public:
    // The program name, the archive and the map.
    static constexpr int argumentCount = 3;
    // The process status after the usage text, as the command-line tools
    // end on a wrong command line.
    static constexpr int usageStatus = Vell::usageStatus;
    static constexpr const char* paletteName = "palette.dat";
    static constexpr const char* tileBaseName = "tiles";

    // False after writing the usage text when the command line is not
    // exactly the program, the archive and the map. Nothing is opened then.
    static bool checkArguments(const Vell::List<Vell::String>& arguments, const char* program);
    // Whether the command line asks for the usage text (--help as the only
    // argument): it is written then as for a wrong command line, but the
    // program ends without error.
    static bool asksForHelp(const Vell::List<Vell::String>& arguments);
    // The usage text on the console; the viewers' texts differ only in the
    // program's name.
    static void writeUsage(const char* program);
    // Reads the archive's header and directory; the archive's failures pass
    // to the caller.
    static void openArchive(GroupArchive& archive, const Vell::String& path);
    // The palette first (a missing "palette.dat" fails), then every art file
    // until the first that is missing or cannot be read; tiles.artProblem()
    // then says which one stopped the tiles early, and why.
    static void loadTiles(TileSet& tiles, GroupArchive& archive);
    // The view's own world from the map. A failure names the map as the
    // user asked for it ("bad map format in e1l2.map").
    static void buildWorld(const ViewerPane& view, World& world, const Map& map, TileSet& tiles,
                           const std::string& mapName);
};

} // namespace Vell3D
