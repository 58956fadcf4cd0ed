#include "viewer/ViewerStartup.h"

#include <cstring>

#include "core/Console.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/MapSource.h"
#include "mapdata/TileSet.h"
#include "viewer/ViewerPane.h"

namespace Vell3D {

bool ViewerStartup::checkArguments(const Vell::List<Vell::String>& arguments, const char* program)
{
    if (arguments.count() == argumentCount)
        return true;
    writeUsage(program);
    return false;
}

bool ViewerStartup::asksForHelp(const Vell::List<Vell::String>& arguments)
{
    return arguments.count() == 2 && std::strcmp(arguments.at(1).text(), "--help") == 0;
}

void ViewerStartup::writeUsage(const char* program)
{
    Vell::TextStream& out = Vell::console();
    out << "use: " << program << " <grpfile> <mapname>\n\n";
    out << "the <mapname> is first tried as a filename, ";
    out << "then as a map name within the grp file\n\n";
}

void ViewerStartup::openArchive(GroupArchive& archive, const Vell::String& path)
{
    archive.open(path.text());
}

void ViewerStartup::loadTiles(TileSet& tiles, GroupArchive& archive)
{
    tiles.load(archive, tileBaseName, paletteName);
}

void ViewerStartup::buildWorld(const ViewerPane& view, World& world, const Map& map, TileSet& tiles,
                               const std::string& mapName)
{
    try {
        view.buildWorld(world, map, tiles);
    } catch (...) {
        rethrowNamingMap(mapName.c_str());
    }
}

} // namespace Vell3D
