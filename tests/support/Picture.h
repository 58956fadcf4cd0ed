// A picture as the tests look at it: the system's own picture with the
// alpha byte dropped (0xRRGGBB pixels, top row first), from a presented
// frame or from a binary PPM (the user sessions' captures, which xwd takes
// and ImageMagick converts).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "gui/PngFile.h"

namespace TestSupport {

struct Picture : Vell::Picture {
    // Outside the picture: 0xFF000000, which no pixel is.
    std::uint32_t at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return 0xFF000000;
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

inline int red(std::uint32_t pixel) { return int(pixel >> 16 & 0xFF); }
inline int green(std::uint32_t pixel) { return int(pixel >> 8 & 0xFF); }
inline int blue(std::uint32_t pixel) { return int(pixel & 0xFF); }

// Pixels that differ between two pictures from the given row down, every
// other pixel of every other row.
inline int differingPixels(const Picture& a, const Picture& b, int fromRow = 0)
{
    int count = 0;
    for (int y = fromRow; y < a.height; y += 2)
        for (int x = 0; x < a.width; x += 2)
            count += a.at(x, y) != b.at(x, y);
    return count;
}

// The next header field of a PPM, past comments ("# ..." to the line end:
// ImageMagick keeps the window's title as one).
inline std::string ppmField(std::istream& in)
{
    std::string field;
    while (in >> field && field[0] == '#')
        in.ignore(1 << 20, '\n');
    return field;
}

// A binary PPM with 8-bit samples; an empty picture for anything else or a
// file cut short.
inline Picture readPpm(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    Picture picture;
    const bool binary = ppmField(in) == "P6";
    picture.width = std::atoi(ppmField(in).c_str());
    picture.height = std::atoi(ppmField(in).c_str());
    const bool eightBit = ppmField(in) == "255";
    in.get();
    if (!binary || !eightBit || picture.width <= 0 || picture.height <= 0 || picture.width > 8192 ||
        picture.height > 8192)
        return Picture();
    std::vector<unsigned char> bytes(std::size_t(picture.width) * std::size_t(picture.height) * 3);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size())))
        return Picture();
    picture.pixels.reserve(bytes.size() / 3);
    for (std::size_t i = 0; i < bytes.size(); i += 3)
        picture.pixels.push_back(std::uint32_t(bytes[i]) << 16 | std::uint32_t(bytes[i + 1]) << 8 | bytes[i + 2]);
    return picture;
}

} // namespace TestSupport
