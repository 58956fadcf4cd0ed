#include "tools/mapexport/ExportOptions.h"

namespace VellTools {

bool ExportOptions::parse(int argc, const char* const* argv, std::string& error)
{
    auto option = [this](const std::string& name, const char* const*, int, int&, std::string& why) {
        if (name == "--gltf")
            gltf = true;
        else if (name == "--html")
            html = true;
        else if (name == "--no-sky")
            sky = false;
        else {
            why = "unknown option " + name;
            return false;
        }
        return true;
    };
    if (!MapArguments::parse(argc, argv, "out.glb", option, error))
        return false;
    if (gltf && html) {
        error = "--gltf and --html write different files: give one";
        return false;
    }
    return true;
}

const char* exportUsage()
{
    return "use: mapexport [options] <grpfile> <mapname> <out.glb>\n"
           "     mapexport --all [options] <grpfile> <outdir>\n\n"
           "writes a map as a glTF 2.0 file that looks like what walkview draws\n"
           "the <mapname> is first tried as a filename, then as a map name within the grp file; $ is e3l1.map\n\n"
           "options:\n"
           "  --gltf     a .gltf file with its .bin and PNG pictures beside it instead of one .glb\n"
           "  --html     one page that shows the level in a browser, with no server and no network\n"
           "             (with --all: <outdir>/<name>.html per map and index.html)\n"
           "  --no-sky   leave the sky out\n"
           "  --all      every map of the archive into <outdir>, one file per map\n"
           "  --help     this text\n";
}

} // namespace VellTools
