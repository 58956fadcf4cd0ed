// mapexport: a map the viewers open as a glTF 2.0 file (.glb, or .gltf with
// its .bin and pictures) that looks like what walkview draws, for Blender,
// game engines and browsers. Needs no display and no GL. Exit status: 0
// (also after --help), 1 after an error (or when any map of --all failed),
// 2 for the usage.
#include <malloc.h>

#include <cstdio>
#include <string>

#include "core/Console.h"
#include "core/UnhandledReport.h"
#include "tools/mapexport/ExportOptions.h"
#include "tools/mapexport/MapExporter.h"

namespace {

using namespace VellTools;

int run(int argc, char** argv)
{
    ExportOptions options;
    std::string why;
    if (!options.parse(argc, argv, why)) {
        std::fprintf(stderr, "mapexport: %s\n", why.c_str());
        return Vell::printUsage(exportUsage());
    }
    if (options.help) {
        Vell::console() << exportUsage();
        return 0;
    }
    MapExporter exporter(options);
    if (options.all)
        return exporter.exportAll();
    exporter.exportMap(options.mapName, options.output);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // An export makes and drops buffers of many megabytes one after another
    // (vertices, the buffer, the file's bytes); keeping freed memory for the
    // next rather than handing it back spares the page faults of touching
    // fresh memory each time, a good part of the run.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    return Vell::runGuarded([&] { return run(argc, argv); });
}
