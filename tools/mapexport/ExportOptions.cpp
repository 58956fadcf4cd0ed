#include "tools/mapexport/ExportOptions.h"

#include <vector>

namespace VellTools {

bool ExportOptions::parse(int argc, const char* const* argv, std::string& error)
{
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            help = true;
            return true;
        }
        if (arg == "--all")
            all = true;
        else if (arg == "--gltf")
            gltf = true;
        else if (arg == "--no-sky")
            sky = false;
        else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            error = "unknown option " + arg;
            return false;
        } else
            positional.push_back(arg);
    }
    return take(positional, "out.glb", error);
}

const char* exportUsage()
{
    return "use: mapexport [options] <grpfile> <mapname> <out.glb>\n"
           "     mapexport --all [options] <grpfile> <outdir>\n\n"
           "writes a map as a glTF 2.0 file that looks like what walkview draws\n"
           "the <mapname> is first tried as a filename, then as a map name within the grp file; $ is e3l1.map\n\n"
           "options:\n"
           "  --gltf     a .gltf file with its .bin and PNG pictures beside it instead of one .glb\n"
           "  --no-sky   leave the sky out\n"
           "  --all      every map of the archive into <outdir>, one file per map\n"
           "  --help     this text\n";
}

} // namespace VellTools
