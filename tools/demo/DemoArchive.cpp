#include "tools/demo/DemoArchive.h"

#include "tools/authoring/GroupWriter.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoArt.h"
#include "tools/demo/DemoMaps.h"
#include "tools/demo/DemoPalette.h"

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
