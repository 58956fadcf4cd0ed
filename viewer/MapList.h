// MapList: the maps of an archive as PageDown and PageUp walk through them:
// the entries whose names end in ".map" (in any case), in the order of the
// archive's directory, wrapping round at either end.
#pragma once

#include <string>
#include <vector>

namespace Vell3D {

class GroupArchive;

class MapList {
public:
    MapList() = default;
    explicit MapList(const GroupArchive& archive);

    int size() const { return int(names.size()); }
    const std::string& at(int position) const { return names[std::size_t(position)]; }
    // The position of the entry of that name (any case), or -1.
    int find(const std::string& name) const;
    // The position `by` steps (+1 or -1) from `position`, wrapping round. A
    // map that is not in the list (-1) stands just before the first for a
    // step forward and just after the last for a step back. -1 for an empty
    // list.
    int step(int position, int by) const;

private:
    std::vector<std::string> names;
};

} // namespace Vell3D
