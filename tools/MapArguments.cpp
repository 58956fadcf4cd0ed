#include "tools/MapArguments.h"

namespace VellTools {

bool MapArguments::parse(int argc, const char* const* argv, const char* outputName, const Option& option,
                         std::string& error)
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
        else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            if (!option(arg, argv, argc, i, error))
                return false;
        } else
            positional.push_back(arg);
    }
    return take(positional, outputName, error);
}

bool MapArguments::take(const std::vector<std::string>& positional, const char* outputName, std::string& error)
{
    const std::size_t wanted = all ? 2 : 3;
    if (positional.size() != wanted) {
        error = all ? "--all takes <grpfile> <outdir>" : std::string("takes <grpfile> <mapname> <") + outputName + ">";
        return false;
    }
    archive = positional[0];
    if (all)
        output = positional[1];
    else {
        mapName = positional[1];
        output = positional[2];
    }
    return true;
}

} // namespace VellTools
