#include "gui/PngFile.h"

#include "core/Exception.h"
#include "core/FileOutput.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

namespace Vell {

namespace {

void appendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

} // namespace

std::vector<std::uint8_t> encodePng(const Picture& picture)
{
    std::vector<std::uint8_t> rgb(std::size_t(picture.width) * picture.height * 3);
    for (std::size_t i = 0; i < picture.pixels.size() && 3 * i + 2 < rgb.size(); ++i) {
        const std::uint32_t p = picture.pixels[i];
        rgb[3 * i] = std::uint8_t(p >> 16);
        rgb[3 * i + 1] = std::uint8_t(p >> 8);
        rgb[3 * i + 2] = std::uint8_t(p);
    }
    std::vector<std::uint8_t> png;
    if (picture.width <= 0 || picture.height <= 0 ||
        !stbi_write_png_to_func(appendBytes, &png, picture.width, picture.height, 3, rgb.data(), picture.width * 3))
        return {};
    return png;
}

std::vector<std::uint8_t> encodePngRgba(int width, int height, const std::vector<std::uint8_t>& rgba)
{
    std::vector<std::uint8_t> png;
    if (width <= 0 || height <= 0 || rgba.size() != std::size_t(width) * std::size_t(height) * 4 ||
        !stbi_write_png_to_func(appendBytes, &png, width, height, 4, rgba.data(), width * 4))
        return {};
    return png;
}

void writePng(const std::string& path, const Picture& picture)
{
    std::vector<std::uint8_t> png = encodePng(picture);
    if (png.empty())
        throw IOException(SubjectMessage("can't write", path.c_str(), "no picture to encode"));
    writeFile(path, png);
}

Picture readPng(const std::string& path)
{
    Picture picture;
    int n = 0;
    unsigned char* rgba = stbi_load(path.c_str(), &picture.width, &picture.height, &n, 4);
    if (!rgba)
        return Picture();
    picture.pixels.resize(std::size_t(picture.width) * picture.height);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const unsigned char* p = rgba + 4 * i;
        picture.pixels[i] = 0xFF000000u | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
    }
    stbi_image_free(rgba);
    return picture;
}

} // namespace Vell
