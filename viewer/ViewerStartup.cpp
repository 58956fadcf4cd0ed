#include "viewer/ViewerStartup.h"

#include "core/Console.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/MapSource.h"

namespace Vell3D {

bool ViewerStartup::checkArguments(const Vell::List<Vell::String>& arguments, const char* program)
{
    if (arguments.count() == argumentCount)
        return true;
    writeUsage(program);
    return false;
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

void ViewerStartup::loadTiles(TileSet& tiles, GroupArchive& archive, TileSet::Index255 index255)
{
    tiles.load(archive, tileBaseName, paletteName, index255);
}

void ViewerStartup::loadWorld(GroupArchive& archive, const Vell::String& mapName, const WorldBuilder& build)
{
    const Map map = loadMapByName(archive, mapName.text());
    try {
        build(map);
    } catch (...) {
        rethrowNamingMap(mapName.text());
    }
}

} // namespace Vell3D
