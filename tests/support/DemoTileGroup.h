// The start of an archive for tests that add their own maps: the demo's
// palette and art files, the second one left out or made unreadable when
// asked (an art version no loader knows), as the tile loading's normal end
// and its early stop look.
#pragma once

#include "tools/authoring/GroupWriter.h"
#include "tools/demo/DemoArt.h"
#include "tools/demo/DemoPalette.h"

namespace TestSupport {

enum class SecondArtFile { none, good, unreadable };

inline VellTools::GroupWriter demoTileGroup(SecondArtFile second)
{
    VellTools::GroupWriter group;
    group.add("PALETTE.DAT", VellTools::demoPaletteFile());
    group.add("TILES000.ART", VellTools::demoArtFile(0));
    if (second == SecondArtFile::none)
        return group;
    VellTools::Bytes art = VellTools::demoArtFile(1);
    if (second == SecondArtFile::unreadable)
        art[0] = 2;   // the version
    group.add("TILES001.ART", art);
    return group;
}

} // namespace TestSupport
