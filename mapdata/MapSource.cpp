#include "mapdata/MapSource.h"

#include <cstring>

#include "core/Exception.h"
#include "core/File.h"
#include "mapdata/GroupEntryStream.h"

namespace Vell3D {

namespace {

Map loadFromEntry(GroupArchive& archive, const char* entryName)
{
    GroupEntryStream stream(entryName, archive);
    Map map;
    map.load(stream);
    return map;
}

} // namespace

Map loadMapByName(GroupArchive& archive, const char* name)
{
    if (std::strcmp(name, defaultMapName) == 0)
        return loadFromEntry(archive, defaultMapEntry);
    Map map;
    try {
        // Read-only: the viewers never change a map, and a write-protected
        // map file must still be read from disk.
        Vell::File file(name, Vell::File::readOnly);
        map.load(file);
        return map;
    } catch (Vell::IOException&) {
        // Not a readable map file on disk: the name may be an archive entry.
    }
    return loadFromEntry(archive, name);
}

} // namespace Vell3D
