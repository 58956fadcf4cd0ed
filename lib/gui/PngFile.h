// writePng / readPng: pictures of what a view shows, as PNG files. A
// picture is never half-written: it goes to a temporary name in the target's
// folder and is renamed over the target only when every byte is on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Vell {

// 0xAARRGGBB pixels, top row first, as the window layer reads frames back.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The PNG file's bytes; none for an empty picture.
std::vector<std::uint8_t> encodePng(const Picture& picture);
// RGBA bytes, four to a pixel, in rows from the top, alpha kept; none for
// an empty picture or bytes that do not fill it.
std::vector<std::uint8_t> encodePngRgba(int width, int height, const std::vector<std::uint8_t>& rgba);
// Throws IOException when the picture cannot be encoded or written;
// the target is then untouched and no temporary is left behind.
void writePng(const std::string& path, const Picture& picture);
// An empty picture when the file is missing or no PNG.
Picture readPng(const std::string& path);

} // namespace Vell
