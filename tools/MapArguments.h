// MapArguments: the arguments of a tool that turns maps of an archive into
// files (mapshot, mapexport):
//
//     <tool> [options] <grpfile> <mapname> <output>
//     <tool> --all [options] <grpfile> <outdir>
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace VellTools {

struct MapArguments {
    // A tool's own option: its name and the arguments after it, of which it
    // takes the values it needs (advancing next); false, with the reason in
    // error, for an option it does not know or a bad value.
    using Option = std::function<bool(const std::string& name, const char* const* argv, int argc, int& next,
                                      std::string& error)>;

    bool help = false;       // --help: the usage text, nothing else
    bool all = false;        // every map of the archive
    std::string archive;
    std::string mapName;     // one map only
    std::string output;      // the file, or the folder with --all

    // Reads the command line: --help anywhere asks for the usage alone,
    // --all and the arguments are taken here, any other "--name" goes to
    // option. False, with the reason in error, for a command line that is
    // not one of the two forms; output names the single form's last
    // argument in that reason ("out.png").
    bool parse(int argc, const char* const* argv, const char* output, const Option& option, std::string& error);

private:
    bool take(const std::vector<std::string>& positional, const char* output, std::string& error);
};

} // namespace VellTools
