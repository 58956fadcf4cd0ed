#include "tools/MapArguments.h"

namespace VellTools {

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
