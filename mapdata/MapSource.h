// Finding the map a viewer was asked for: "$" is the archive's default map
// "e3l1.map"; any other name is first tried as a file on disk and, only when
// that fails with IOException (missing, unreadable, or ending too early), as
// an archive entry. Any other failure of the file on disk, such as "bad map
// format", is final: the archive is not tried.
#pragma once

#include <string>

#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"

namespace Vell3D {

constexpr const char* defaultMapName = "$";
constexpr const char* defaultMapEntry = "e3l1.map";

// Failures name the map: "bad map format in e1l2.map". When shownName is
// given it receives the name a user knows the map by: the entry's name as
// the archive holds it ("E3L1.MAP" for "$"), or the file's own name without
// its folder.
Map loadMapByName(GroupArchive& archive, const char* name, std::string* shownName = nullptr);
// The archive entry alone, whatever lies on disk.
Map loadMapEntry(GroupArchive& archive, const char* entryName);

// From a catch block: rethrows the exception being handled, a plain Exception
// (a bad map, a read past an entry's end) with the map's name added ("bad
// map format in e1l2.map"), before the reason when there is one ("bad map
// format in e1l2.map: sector count -1"). A name too long for the message
// loses its front, never the reason. Other classes pass unchanged: an
// IOException from a file on disk is what sends the search on to the archive.
[[noreturn]] void rethrowNamingMap(const char* name);

} // namespace Vell3D
