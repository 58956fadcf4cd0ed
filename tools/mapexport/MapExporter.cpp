#include "tools/mapexport/MapExporter.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>

#include "core/Exception.h"
#include "core/FileOutput.h"
#include "mapdata/MapSource.h"
#include "tools/mapexport/LevelExport.h"
#include "tools/mapexport/LevelFiles.h"
#include "tools/mapexport/LevelPage.h"
#include "viewer/MapList.h"
#include "viewer/ViewerStartup.h"
#include "world/World.h"

namespace VellTools {

namespace {

std::string errorText(const Vell::Exception& e)
{
    std::string text = e.className();
    if (e.message() && *e.message())
        text += std::string(": ") + e.message();
    return text;
}

// The entry's name less its ".map", as the gallery names its pictures.
std::string baseName(const std::string& entry)
{
    return entry.size() > 4 ? entry.substr(0, entry.size() - 4) : entry;
}

} // namespace

MapExporter::MapExporter(const ExportOptions& options) : options(options)
{
    Vell3D::ViewerStartup::openArchive(archive, options.archive.c_str());
    Vell3D::ViewerStartup::loadTiles(tiles, archive);
    if (tiles.artProblem().length() > 0)
        std::fprintf(stderr, "mapexport: %s\n", tiles.artProblem().text());
}

void MapExporter::exportMap(const std::string& mapName, const std::string& output)
{
    // Refused before the map is even read: nothing may touch the archive.
    if (LevelFiles::sameFile(output, options.archive))
        throw Vell::IOException(Vell::SubjectMessage("can't write", output.c_str(), "it is the archive read"));
    const Vell3D::Map map = Vell3D::loadMapByName(archive, mapName.c_str());
    Vell3D::World world;
    try {
        world.build(map);
        world.attachTextures(tiles);
    } catch (...) {
        Vell3D::rethrowNamingMap(mapName.c_str());
    }
    LevelExport level(map, world, LevelExport::Options{options.sky});
    if (options.html)
        writePage(level.model(), mapName, output);
    else
        LevelFiles::write(level.model(), output, options.gltf, options.archive);
}

int MapExporter::exportAll()
{
    ::mkdir(options.output.c_str(), 0755);
    const Vell3D::MapList maps(archive);
    bool failed = false;
    std::vector<LevelPage::Entry> pages;
    for (int i = 0; i < maps.size(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        const std::string& name = maps.at(i);
        const std::string page = baseName(name) + extension();
        const std::string output = options.output + "/" + page;
        std::string error;
        try {
            exportMap(name, output);
        } catch (const Vell::Exception& e) {
            error = errorText(e);
            failed = true;
        }
        pages.push_back(LevelPage::Entry{name, page, error});
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::fprintf(stderr, "[%d/%d] %s %s %.2f s\n", i + 1, maps.size(), name.c_str(),
                     error.empty() ? "ok" : ("failed: " + error).c_str(), seconds);
    }
    if (options.html) {
        const std::string index = LevelPage::index(options.output, options.archive, pages);
        Vell::writeFile(options.output + "/index.html", std::vector<std::uint8_t>(index.begin(), index.end()));
    }
    return failed ? 1 : 0;
}

const char* MapExporter::extension() const
{
    return options.html ? ".html" : options.gltf ? ".gltf" : ".glb";
}

// exportMap has refused the archive as the output already.
void MapExporter::writePage(GltfModel& model, const std::string& mapName, const std::string& output)
{
    const std::vector<std::uint8_t> glb = model.glb();
    if (glb.empty())
        throw Vell::IOException(Vell::SubjectMessage("can't write", output.c_str(), "the glTF writer failed"));
    const std::string page = LevelPage::html(glb, mapName);
    Vell::writeFile(output, std::vector<std::uint8_t>(page.begin(), page.end()));
}

} // namespace VellTools
