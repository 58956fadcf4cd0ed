// The demo maps. Together the first two use every feature the viewers draw;
// the large and huge ones sit at the limits of version 7 and of versions 8
// and 9, for benchmarks.
#pragma once

#include "tools/authoring/MapContent.h"

namespace VellTools {

class MapBuilder;

// What every demo map starts from: sprites at repeat 8, walls at y repeat 64
// with an x repeat fitted to their length.
void useDemoDefaults(MapBuilder& builder);

MapContent firstLevelMap(); // stored as "e3l1.map", the map "$" stands for
MapContent showcaseMap();   // stored as "demo.map"
MapContent largeMap();      // stored as "large.map": 1024 sectors, 8192 walls, 4096 sprites
MapContent hugeMap();       // stored as "huge.map": version 8, 4096 sectors, 16384 walls, 16384 sprites
// One room of tile 0 with nothing in it, the player in its middle: the least
// a map can hold (tests and benchmarks weigh and page through it).
MapContent emptyRoomMap();

} // namespace VellTools
