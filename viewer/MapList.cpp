#include "viewer/MapList.h"

#include <strings.h>

#include "mapdata/GroupArchive.h"

namespace Vell3D {

namespace {

bool isMapName(const std::string& name)
{
    const std::string suffix = ".map";
    return name.size() > suffix.size() &&
           strcasecmp(name.c_str() + name.size() - suffix.size(), suffix.c_str()) == 0;
}

} // namespace

MapList::MapList(const GroupArchive& archive)
{
    for (const std::string& name : archive.entryNames())
        if (isMapName(name))
            names.push_back(name);
}

int MapList::find(const std::string& name) const
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (strcasecmp(names[i].c_str(), name.c_str()) == 0)
            return int(i);
    return -1;
}

int MapList::step(int position, int by) const
{
    const int n = size();
    if (n == 0)
        return -1;
    if (position < 0 || position >= n)
        return by > 0 ? 0 : n - 1;
    return ((position + by) % n + n) % n;
}

} // namespace Vell3D
