// mapFeatures: names the drawing features that a map uses (sky, mirrors,
// masked walls, slopes, texture alignment bits, sprite kinds, ...), so the
// demo maps can be shown to exercise everything the viewers draw.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "tools/authoring/MapContent.h"

namespace VellTools {

std::set<std::string> mapFeatures(const MapContent& map);

// Every feature that the demo maps together have to show.
const std::vector<std::string>& allFeatures();

} // namespace VellTools
