// The reference pictures of the demo archive: each case is a file in
// tests/pictures and the mapshot arguments that draw it. The picture test
// compares against them; scripts/refresh-pictures remakes them on purpose.
#pragma once

#include <string>
#include <vector>

namespace MapshotCases {

struct Case {
    const char* file;
    const char* arguments;   // before <grpfile> <mapname> <out.png>
    const char* map;
};

inline const std::vector<Case>& all()
{
    static const std::vector<Case> cases = {
        {"e3l1-start.png", "", "$"},
        {"demo-start.png", "", "demo.map"},
        {"mirror.png", "--at -3584,1300 --angle 180", "$"},
        {"sky-fog.png", "--at -1024,-1150 --angle 180", "$"},
        {"sky-no-fog.png", "--no-fog --at -1024,-1150 --angle 180", "$"},
        {"translucent.png", "--at -500,1408 --angle 90 --eye 0", "$"},
        {"wire.png", "--view wire --debug", "demo.map"},
        {"plan.png", "--view plan --size 400x300", "$"},
    };
    return cases;
}

} // namespace MapshotCases
