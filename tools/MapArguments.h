// MapArguments: the arguments of a tool that turns maps of an archive into
// files (mapshot, mapexport):
//
//     <tool> [options] <grpfile> <mapname> <output>
//     <tool> --all [options] <grpfile> <outdir>
#pragma once

#include <string>
#include <vector>

namespace VellTools {

struct MapArguments {
    bool all = false;        // every map of the archive
    std::string archive;
    std::string mapName;     // one map only
    std::string output;      // the file, or the folder with --all

    // Takes the arguments that are not options; false, with the reason in
    // error, when they are not as many as the form needs. output names the
    // single form's last argument in that reason ("out.png").
    bool take(const std::vector<std::string>& positional, const char* output, std::string& error);
};

} // namespace VellTools
