// The command line of mapexport:
//
//   mapexport [options] <grpfile> <mapname> <out.glb>
//   mapexport --all [options] <grpfile> <outdir>
#pragma once

#include <string>

#include "tools/MapArguments.h"

namespace VellTools {

struct ExportOptions : MapArguments {
    bool gltf = false;       // .gltf with its .bin and pictures beside it
    bool sky = true;

    // False with the reason in error for a command line that is not one of
    // the two forms; --help alone is enough.
    bool parse(int argc, const char* const* argv, std::string& error);
};

const char* exportUsage();

} // namespace VellTools
