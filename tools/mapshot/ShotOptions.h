// ShotOptions: the command line of mapshot.
//
//     mapshot [options] <grpfile> <mapname> <out.png>
//     mapshot --all [options] <grpfile> <outdir>
//
// Options: --view 3d|wire|plan, --at X,Y, --angle DEG, --tilt DEG, --eye Z,
// --size WxH, --overlay, --debug, --no-fog; --help anywhere asks for the usage text
// alone. Anything the parser does not accept (an unknown option, a value out
// of range, the wrong number of arguments) is a usage error: parse returns
// false and says why in error.
#pragma once

#include <string>

#include "render/Placement.h"
#include "tools/MapArguments.h"

namespace VellTools {

enum class ShotView { sector, wire, plan };

struct ShotOptions : MapArguments {
    static constexpr int minWidth = 64, minHeight = 48;

    ShotView view = ShotView::sector;
    // --at, --angle, --tilt and --eye; unset values keep the map's start
    // placement, as the viewers open.
    Vell3D::Placement placement;
    int width = 800;
    int height = 600;
    bool overlay = false;
    bool debug = false;
    bool fog = true;

    // maxSide: the largest picture side the GL implementation can draw.
    bool parse(int argc, const char* const* argv, int maxSide, std::string& error);
};

const char* shotUsage();

} // namespace VellTools
