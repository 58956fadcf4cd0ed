#include "mapdata/MapSource.h"

#include <cstdio>
#include <cstring>

#include "core/Exception.h"
#include "core/File.h"
#include "mapdata/GroupEntryStream.h"

namespace Vell3D {

namespace {

void loadNamed(Map& map, Vell::Stream& stream, const char* name)
{
    try {
        map.load(stream);
    } catch (...) {
        rethrowNamingMap(name);
    }
}

Map loadFromEntry(GroupArchive& archive, const char* entryName)
{
    GroupEntryStream stream(entryName, archive);
    Map map;
    loadNamed(map, stream, entryName);
    return map;
}

} // namespace

void rethrowNamingMap(const char* name)
{
    try {
        throw;
    } catch (const Vell::Exception& e) {
        if (std::strcmp(e.className(), "Exception") != 0)
            throw;
        char lead[128];
        std::snprintf(lead, sizeof lead, "%s in", e.message());
        throw Vell::Exception(Vell::SubjectMessage(lead, name));
    }
}

Map loadMapByName(GroupArchive& archive, const char* name)
{
    if (std::strcmp(name, defaultMapName) == 0)
        return loadFromEntry(archive, defaultMapEntry);
    Map map;
    try {
        // Read-only: the viewers never change a map, and a write-protected
        // map file must still be read from disk.
        Vell::File file(name, Vell::File::readOnly);
        loadNamed(map, file, name);
        return map;
    } catch (Vell::IOException&) {
        // Not a readable map file on disk: the name may be an archive entry.
    }
    return loadFromEntry(archive, name);
}

} // namespace Vell3D
