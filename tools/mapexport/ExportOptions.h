// The command line of mapexport:
//
//   mapexport [options] <grpfile> <mapname> <out.glb>
//   mapexport --all [options] <grpfile> <outdir>
//
// --html writes a page (and with --all an index.html) instead of glTF.
#pragma once

#include <string>

#include "tools/MapArguments.h"

namespace VellTools {

struct ExportOptions : MapArguments {
    bool gltf = false;       // .gltf with its .bin and pictures beside it
    bool html = false;       // a page that shows the level in a browser
    bool sky = true;

    // False with the reason in error for a command line that is not one of
    // the two forms; --help alone is enough.
    bool parse(int argc, const char* const* argv, std::string& error);
};

const char* exportUsage();

} // namespace VellTools
