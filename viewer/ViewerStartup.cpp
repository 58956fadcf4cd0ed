#include "viewer/ViewerStartup.h"

#include "core/Console.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/MapSource.h"

namespace Vell3D {

bool ViewerStartup::checkArguments(const Vell::List<Vell::String>& arguments)
{
    if (arguments.count() == argumentCount)
        return true;
    writeUsage();
    return false;
}

void ViewerStartup::writeUsage()
{
    // Three pieces with nothing between them; "if first tried" is the
    // program's established wording and users may match on it.
    Vell::TextStream& out = Vell::console();
    out << "use: walkview <grpfile> <mapname>\n\n";
    out << "the <mapname> if first tried as a filename, ";
    out << "then as a map name within the grp file\n\n";
}

void ViewerStartup::openArchive(GroupArchive& archive, const Vell::String& path)
{
    archive.open(path.text());
}

void ViewerStartup::loadTiles(TileSet& tiles, GroupArchive& archive, TileSet::Index255 index255)
{
    tiles.load(archive, tileBaseName, paletteName, index255);
}

void ViewerStartup::loadWorld(GroupArchive& archive, const Vell::String& mapName, const WorldBuilder& build)
{
    const Map map = loadMapByName(archive, mapName.text());
    build(map);
}

} // namespace Vell3D
