// A tile set loaded as the viewers load one: a palette and one art file
// packed into an archive in a scratch folder of its own, opened, and the
// tiles read from it.
#pragma once

#include "mapdata/GroupArchive.h"
#include "mapdata/TileSet.h"
#include "tests/support/ScratchFolder.h"
#include "tools/authoring/GroupWriter.h"

namespace TestSupport {

class TileArchive {
public:
    TileArchive(const VellTools::Bytes& palette, const VellTools::Bytes& art)
    {
        VellTools::GroupWriter group;
        group.add("PALETTE.DAT", palette);
        group.add("TILES000.ART", art);
        open(group.bytes());
    }
    // A whole archive's bytes, with its own palette and art files.
    explicit TileArchive(const VellTools::Bytes& group) { open(group); }

private:
    void open(const VellTools::Bytes& group)
    {
        archive.open(folder.write("tiles.grp", group).c_str());
        tiles.load(archive, "tiles", "palette.dat");
    }

    ScratchFolder folder{"tiles"};
    Vell3D::GroupArchive archive;

public:
    Vell3D::TileSet tiles;   // goes before the archive it was read from
};

} // namespace TestSupport
