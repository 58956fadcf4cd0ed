#include "tools/DemoArchive.h"

#include "tools/DemoArt.h"
#include "tools/DemoMaps.h"
#include "tools/DemoPalette.h"
#include "tools/GroupWriter.h"
#include "tools/MapWriter.h"

namespace VellTools {

Bytes demoArchive(bool withLargeMaps)
{
    GroupWriter group;
    group.add("PALETTE.DAT", demoPaletteFile());
    group.add("TILES000.ART", demoArtFile(0));
    group.add("TILES001.ART", demoArtFile(1));
    group.add("E3L1.MAP", MapWriter::bytes(firstLevelMap()));
    group.add("DEMO.MAP", MapWriter::bytes(showcaseMap()));
    if (withLargeMaps) {
        group.add("LARGE.MAP", MapWriter::bytes(largeMap()));
        group.add("HUGE.MAP", MapWriter::bytes(hugeMap()));
    }
    return group.bytes();
}

} // namespace VellTools
