// MapExporter: maps of one archive to glTF files. A map is found by the
// viewers' rule ("$", a file on disk, an archive entry), built into the
// world walkview builds, and written through LevelExport and LevelFiles.
#pragma once

#include <string>

#include "tools/mapexport/ExportOptions.h"

namespace Vell3D {
class GroupArchive;
class TileSet;
}

namespace VellTools {

class MapExporter {
public:
    MapExporter(Vell3D::GroupArchive& archive, Vell3D::TileSet& tiles, const ExportOptions& options);

    // Failures name the map ("bad map format in e1l2.map") or the file.
    void exportMap(const std::string& mapName, const std::string& output);
    // Every map of the archive into the output folder, going on past a map
    // that fails; each is listed on standard error. 1 when any failed.
    int exportAll();

private:
    Vell3D::GroupArchive& archive;
    Vell3D::TileSet& tiles;
    ExportOptions options;
};

} // namespace VellTools
