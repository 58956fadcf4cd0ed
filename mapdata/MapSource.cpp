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

// Entries are found by their upper-case names, so that is how they are held.
std::string entryName(const char* name)
{
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return upper;
}

std::string fileName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

} // namespace

Map loadMapEntry(GroupArchive& archive, const char* entryName)
{
    GroupEntryStream stream(entryName, archive);
    Map map;
    loadNamed(map, stream, entryName);
    return map;
}

void rethrowNamingMap(const char* name)
{
    try {
        throw;
    } catch (const Vell::Exception& e) {
        if (std::strcmp(e.className(), "Exception") != 0)
            throw;
        // "<what>: <why>" keeps its reason behind the name; a long name is
        // what gets cut.
        const char* message = e.message();
        const char* colon = std::strstr(message, ": ");
        const int whatLength = colon ? int(colon - message) : int(std::strlen(message));
        char lead[128];
        std::snprintf(lead, sizeof lead, "%.*s in", whatLength, message);
        throw Vell::Exception(Vell::SubjectMessage(lead, name, colon ? colon + 2 : nullptr));
    }
}

Map loadMapByName(GroupArchive& archive, const char* name, std::string* shownName)
{
    std::string ignored;
    std::string& shown = shownName ? *shownName : ignored;
    if (std::strcmp(name, defaultMapName) == 0) {
        Map map = loadMapEntry(archive, defaultMapEntry);
        shown = entryName(defaultMapEntry);
        return map;
    }
    Map map;
    try {
        // Read-only: the viewers never change a map, and a write-protected
        // map file must still be read from disk.
        Vell::File file(name, Vell::File::readOnly);
        loadNamed(map, file, name);
        shown = fileName(name);
        return map;
    } catch (Vell::IOException&) {
        // Not a readable map file on disk: the name may be an archive entry.
    }
    map = loadMapEntry(archive, name);
    shown = entryName(name);
    return map;
}

} // namespace Vell3D
