// galleryPage: the index.html that mapshot --all writes: one card per map of
// an archive with its picture, its name and the counts mapinfo prints, or
// the error that stopped the map.
#pragma once

#include <string>
#include <vector>

namespace VellTools {

struct GalleryCard {
    std::string name;        // the archive entry, e.g. E1L1.MAP
    std::string picture;     // file name relative to the page; empty on error
    int sectors = 0;
    int walls = 0;
    int sprites = 0;
    std::string error;       // empty when the picture was made
};

std::string galleryPage(const std::string& title, const std::vector<GalleryCard>& cards);

} // namespace VellTools
