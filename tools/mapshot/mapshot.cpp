// mapshot: pictures of maps without a window on screen, drawn by the viewers'
// own views on the offscreen video driver, so a picture is exactly what
// walkview or planview would show. One map to one PNG, or with --all every
// map of an archive into a folder with an index.html gallery. Exit status:
// 0 (also after --help), 1 after an error (or when any map of --all failed),
// 2 for the usage.
#include <GL/gl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Console.h"
#include "core/Exception.h"
#include "core/FileOutput.h"
#include "core/UnhandledReport.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/TileSet.h"
#include "tools/mapshot/Gallery.h"
#include "tools/mapshot/MapShooter.h"
#include "tools/mapshot/ShotOptions.h"
#include "viewer/ViewerStartup.h"

namespace {

using namespace VellTools;
using Vell::Picture;
using Vell::writeFile;
using Vell::writePng;

// Larger pictures than this are refused before any window opens; the GL
// implementation's own limit is checked once its context exists.
constexpr int sideLimit = 16384;

int usage(const std::string& why)
{
    if (!why.empty())
        std::fprintf(stderr, "mapshot: %s\n", why.c_str());
    return Vell::printUsage(shotUsage());
}

int glSideLimit()
{
    GLint dims[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
    return dims[0] > 0 && dims[1] > 0 ? std::min(dims[0], dims[1]) : sideLimit;
}

std::string errorText(const Vell::Exception& e)
{
    std::string text = e.className();
    if (e.message() && *e.message())
        text += std::string(": ") + e.message();
    return text;
}

bool endsWithMap(const std::string& name)
{
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".MAP") == 0;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int shootAll(const ShotOptions& options, Vell3D::GroupArchive& archive, Vell3D::TileSet& tiles, MapShooter& shooter)
{
    ::mkdir(options.output.c_str(), 0755);
    std::vector<std::string> names;
    for (const auto& [name, entry] : archive.entryTable())
        if (endsWithMap(name))
            names.push_back(name);
    std::vector<GalleryCard> cards;
    bool failed = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        GalleryCard card;
        card.name = names[i];
        try {
            MapCounts counts;
            const Picture picture = shooter.shoot(archive, tiles, names[i], counts);
            card.picture = names[i].substr(0, names[i].size() - 4) + ".png";
            writePng(options.output + "/" + card.picture, picture);
            card.sectors = counts.sectors;
            card.walls = counts.walls;
            card.sprites = counts.sprites;
        } catch (const Vell::Exception& e) {
            card.picture.clear();
            card.error = errorText(e);
            failed = true;
        }
        std::fprintf(stderr, "[%zu/%zu] %s %s %.2f s\n", i + 1, names.size(), names[i].c_str(),
                     card.error.empty() ? "ok" : ("failed: " + card.error).c_str(), secondsSince(start));
        cards.push_back(card);
    }
    const std::string page = galleryPage(options.archive, cards);
    writeFile(options.output + "/index.html", std::vector<std::uint8_t>(page.begin(), page.end()));
    return failed ? 1 : 0;
}

int run(int argc, char** argv)
{
    ShotOptions options;
    std::string why;
    if (!options.parse(argc, argv, sideLimit, why))
        return usage(why);
    if (options.help)
        return Vell::printHelp(shotUsage());
    // The map is started as the viewers start it (viewer/ViewerStartup.h).
    Vell3D::GroupArchive archive;
    Vell3D::ViewerStartup::openArchive(archive, options.archive.c_str());
    Vell3D::TileSet tiles;
    Vell3D::ViewerStartup::loadTiles(tiles, archive);
    // The pictures are made with the tiles read, as the viewers show them.
    if (tiles.artProblem().length() > 0)
        std::fprintf(stderr, "mapshot: %s\n", tiles.artProblem().text());
    MapShooter shooter(options);
    const int limit = glSideLimit();
    if (options.width > limit || options.height > limit)
        return usage("--size is larger than this OpenGL draws (" + std::to_string(limit) + ")");
    if (options.all)
        return shootAll(options, archive, tiles, shooter);
    MapCounts counts;
    writePng(options.output, shooter.shoot(archive, tiles, options.mapName, counts));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Pictures are made without a display unless the caller chose a driver.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    return Vell::runGuarded([&] { return run(argc, argv); });
}
