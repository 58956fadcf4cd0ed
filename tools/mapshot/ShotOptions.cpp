#include "tools/mapshot/ShotOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace VellTools {

namespace {

// A whole finite number, nothing before or after it.
bool parseNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

bool parsePair(const std::string& text, char separator, double& a, double& b)
{
    const auto at = text.find(separator);
    return at != std::string::npos && parseNumber(text.substr(0, at), a) && parseNumber(text.substr(at + 1), b);
}

class Parser {
public:
    Parser(ShotOptions& options, int maxSide, std::string& error) : o(options), maxSide(maxSide), error(error) {}

    bool option(const std::string& name, const char* value);
    bool fail(const std::string& why)
    {
        error = why;
        return false;
    }

private:
    bool number(const std::string& name, const char* value, std::optional<double>& into);
    bool size(const char* value);

    ShotOptions& o;
    int maxSide;
    std::string& error;
};

bool Parser::number(const std::string& name, const char* value, std::optional<double>& into)
{
    double v = 0.0;
    if (!parseNumber(value, v))
        return fail(name + " needs a number");
    into = v;
    return true;
}

bool Parser::size(const char* value)
{
    double w = 0.0, h = 0.0;
    if (!parsePair(value, 'x', w, h) || w != std::floor(w) || h != std::floor(h))
        return fail("--size needs WxH in whole pixels");
    if (w < ShotOptions::minWidth || h < ShotOptions::minHeight || w > maxSide || h > maxSide)
        return fail("--size must lie between 64x48 and " + std::to_string(maxSide) + "x" + std::to_string(maxSide));
    o.width = int(w);
    o.height = int(h);
    return true;
}

bool Parser::option(const std::string& name, const char* value)
{
    if (name == "--view") {
        const std::string v = value;
        if (v == "3d")
            o.view = ShotView::sector;
        else if (v == "wire")
            o.view = ShotView::wire;
        else if (v == "plan")
            o.view = ShotView::plan;
        else
            return fail("--view is 3d, wire or plan");
        return true;
    }
    if (name == "--at") {
        double x = 0.0, y = 0.0;
        if (!parsePair(value, ',', x, y))
            return fail("--at needs X,Y");
        o.placement.x = x;
        o.placement.y = y;
        return true;
    }
    if (name == "--angle")
        return number(name, value, o.placement.heading);
    if (name == "--tilt")
        return number(name, value, o.placement.tilt);
    if (name == "--eye")
        return number(name, value, o.placement.eye);
    if (name == "--size")
        return size(value);
    return fail("unknown option " + name);
}

bool takesValue(const std::string& name)
{
    return name == "--view" || name == "--at" || name == "--angle" || name == "--tilt" || name == "--eye" ||
           name == "--size";
}

} // namespace

bool ShotOptions::parse(int argc, const char* const* argv, int maxSide, std::string& error)
{
    Parser parser(*this, maxSide, error);
    auto option = [&](const std::string& name, const char* const* args, int count, int& next, std::string&) {
        if (name == "--overlay")
            overlay = true;
        else if (name == "--debug")
            debug = true;
        else if (name == "--no-fog")
            fog = false;
        else if (!takesValue(name))
            return parser.fail("unknown option " + name);
        else if (next + 1 >= count)
            return parser.fail(name + " needs a value");
        else
            return parser.option(name, args[++next]);
        return true;
    };
    return MapArguments::parse(argc, argv, "out.png", option, error);
}

const char* shotUsage()
{
    return "use: mapshot [options] <grpfile> <mapname> <out.png>\n"
           "     mapshot --all [options] <grpfile> <outdir>\n\n"
           "the <mapname> is first tried as a filename, then as a map name within the grp file; $ is e3l1.map\n\n"
           "options:\n"
           "  --view 3d|wire|plan   the textured view (default), the wire view or the plan\n"
           "  --at X,Y              stand at world x, y (on the floor of the sector found there)\n"
           "  --angle DEG           heading in degrees\n"
           "  --tilt DEG            look up (positive) or down\n"
           "  --eye Z               eye height above the player (3d and wire)\n"
           "  --size WxH            picture size, default 800x600, at least 64x48\n"
           "  --overlay             draw the status overlay as the viewers do\n"
           "  --debug               the debug drawing (as F2 shows it)\n"
           "  --no-fog              no fog in the 3d view (to compare with renderers that have none)\n"
           "  --all                 every map of the archive into <outdir>, with index.html\n"
           "  --help                this text\n";
}

} // namespace VellTools
