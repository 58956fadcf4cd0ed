// MapExporter: maps of one archive to glTF files. A map is found by the
// viewers' rule ("$", a file on disk, an archive entry), built into the
// world walkview builds, and written through LevelExport and LevelFiles,
// or as a page that shows it in a browser (LevelPage).
#pragma once

#include <string>

#include "mapdata/GroupArchive.h"
#include "mapdata/TileSet.h"
#include "tools/mapexport/ExportOptions.h"

namespace VellTools {

class GltfModel;

class MapExporter {
public:
    // Opens the archive and reads its tiles as the viewers do; a tile file
    // that stopped the tiles early is named on standard error.
    explicit MapExporter(const ExportOptions& options);

    // Failures name the map ("bad map format in e1l2.map") or the file.
    void exportMap(const std::string& mapName, const std::string& output);
    // Every map of the archive into the output folder, going on past a map
    // that fails; each is listed on standard error. 1 when any failed.
    int exportAll();

private:
    const char* extension() const;
    void writePage(GltfModel& model, const std::string& mapName, const std::string& output);

    ExportOptions options;
    Vell3D::GroupArchive archive;
    Vell3D::TileSet tiles;   // goes before the archive it reads from
};

} // namespace VellTools
