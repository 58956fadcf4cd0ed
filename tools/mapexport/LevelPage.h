// LevelPage: one self-contained HTML page per level, for people with no
// viewer installed. The page holds the level's .glb (in base64) and the
// level viewer script (three.js and its glTF loader, bundled at build time
// from tools/mapexport/page), so it opens from the file system in a current
// browser with no server and no network. The archive's pages can be listed
// in an index page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace VellTools {

class LevelPage {
public:
    // The page showing the .glb's level, titled with the map's name.
    static std::string html(const std::vector<std::uint8_t>& glb, const std::string& mapName);
    // The index of the pages written by --all --html: one entry per map in
    // the order given, with the picture <name>.png of the output folder
    // where there is one (mapshot --all writes them under those names).
    struct Entry {
        std::string mapName;
        std::string page;      // file name within the folder
        std::string error;     // why no page was written, or empty
    };
    static std::string index(const std::string& folder, const std::string& archive, const std::vector<Entry>& entries);
};

} // namespace VellTools
