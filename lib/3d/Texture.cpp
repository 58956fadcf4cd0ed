#include "3d/Texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "3d/Vell3DException.h"
#include "core/Exception.h"
#include "core/Stream.h"

namespace Vell3D {

namespace {

// Halves go up, so tile textures come out the same on every platform.
int roundHalfUp(double x)
{
    double f = std::floor(x);
    return static_cast<int>(x - f < 0.5 ? f : std::ceil(x));
}

// Source index of each destination index, kept inside the source: for an
// enlargement by more than two the last destinations would otherwise round
// up to one past the source's end.
std::vector<int> sourceIndices(int sourceLength, int destinationLength)
{
    std::vector<int> indices(destinationLength);
    double ratio = static_cast<double>(sourceLength) / destinationLength;
    for (int i = 0; i < destinationLength; ++i)
        indices[i] = std::min(roundHalfUp(ratio * i), sourceLength - 1);
    return indices;
}

void writeAll(Vell::Stream& stream, const std::uint8_t* data, std::size_t length)
{
    while (length > 0) {
        int chunk = static_cast<int>(std::min<std::size_t>(length, 1 << 20));
        int written = stream.write(data, chunk);
        if (written <= 0)
            throw Vell::IOException();
        data += written;
        length -= written;
    }
}

} // namespace

Texture::~Texture() noexcept(false)
{
    release();
    checkUnused();
}

int Texture::powerOfTwo(int n)
{
    for (int i = 0; i <= 30; ++i)
        if ((1 << i) >= n)
            return 1 << i;
    return -1;
}

int Texture::maxTextureSize()
{
    static int cached = 0;
    if (cached > 0)
        return cached;
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    if (size <= 0)
        return 8192;   // no context yet: nothing can be created anyway
    cached = size;
    return cached;
}

// Power of two of n (negatives count as 0), no larger than the GL limit.
int Texture::storageSide(int n)
{
    int limit = 1;
    while (limit <= maxTextureSize() / 2)
        limit *= 2;
    int side = powerOfTwo(std::max(n, 0));
    return (side < 0 || side > limit) ? limit : side;
}

void Texture::create(int w, int h)
{
    release();
    width_ = storageSide(w);
    height_ = storageSide(h);
    std::size_t texels = static_cast<std::size_t>(width_) * height_;
    pixels_.resize(texels * 4);
    for (std::size_t i = 0; i < texels; ++i) {
        std::uint8_t* t = &pixels_[i * 4];
        t[0] = t[1] = t[2] = 128;
        t[3] = 255;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint generated = 0;
    glGenTextures(1, &generated);
    name_ = generated;
    glBindTexture(GL_TEXTURE_2D, name_);
    valid = true;
    upload(false);
}

void Texture::upload(bool mipmaps)
{
    if (!valid)
        throw Vell3DException();
    glBindTexture(GL_TEXTURE_2D, name_);
    if (!mipmaps) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels_.data());
        mipmapped = false;
        return;
    }
    if (gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE,
                          pixels_.data()) != 0)
        throw Vell3DException();
    mipmapped = true;
}

void Texture::bind(bool filter, bool repeat)
{
    if (!valid)
        throw Vell3DException();
    glBindTexture(GL_TEXTURE_2D, name_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    GLint wrap = repeat ? GL_REPEAT : GL_CLAMP;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter ? GL_LINEAR : GL_NEAREST);
    GLint minification;
    if (filter)
        minification = mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
    else
        minification = mipmapped ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minification);
}

void Texture::unbind()
{
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Texture::release()
{
    if (!valid)
        return;
    GLuint n = name_;
    glDeleteTextures(1, &n);
    name_ = noName;
    std::vector<std::uint8_t>().swap(pixels_);
    width_ = height_ = -1;
    valid = false;
}

std::uint8_t* Texture::pixels()
{
    if (!valid)
        throw Vell3DException();
    return pixels_.data();
}

void Texture::fill(const std::uint8_t* source, int sw, int sh)
{
    resample(source, sw, sh, pixels(), width_, height_);
}

void Texture::resample(const std::uint8_t* source, int sw, int sh,
                       std::uint8_t* destination, int dw, int dh)
{
    if (!source || !destination || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return;
    std::vector<int> columns = sourceIndices(sw, dw);
    std::vector<int> rows = sourceIndices(sh, dh);
    for (int i = 0; i < dh; ++i) {
        const std::uint8_t* sourceRow = source + static_cast<std::size_t>(rows[i]) * sw * 4;
        std::uint8_t* out = destination + static_cast<std::size_t>(i) * dw * 4;
        for (int j = 0; j < dw; ++j)
            std::memcpy(out + j * 4, sourceRow + columns[j] * 4, 4);
    }
}

void Texture::writeObject(Vell::Stream& stream) const
{
    if (!valid)
        throw Vell::Exception("Texture::writeObject: null texture");
    stream << magic << static_cast<std::int32_t>(width_) << static_cast<std::int32_t>(height_);
    writeAll(stream, pixels_.data(), pixels_.size());
}

void Texture::readTexels(Vell::Stream& stream, std::vector<std::uint8_t>& texels, int w, int h)
{
    texels.resize(static_cast<std::size_t>(w) * h * 4);
    std::size_t done = 0;
    while (done < texels.size()) {
        int chunk = static_cast<int>(std::min<std::size_t>(texels.size() - done, 1 << 20));
        stream.readFully(texels.data() + done, chunk);
        done += chunk;
    }
}

// Reads the stored texels before touching this texture, so a bad or short
// stream leaves it as it was. Stored sides that are not the storage sides
// (written elsewhere, or above this GL's limit) are resampled.
void Texture::readObject(Vell::Stream& stream)
{
    std::uint32_t m = 0;
    stream >> m;
    if (m != magic)
        throw Vell::Exception("Texture::readObject: bad magic code");
    std::int32_t w = 0;
    std::int32_t h = 0;
    stream >> w >> h;
    if (w < 0 || h < 0 || w > maxStoredSide || h > maxStoredSide
        || static_cast<std::int64_t>(w) * h > maxStoredTexels)
        throw Vell::Exception("Texture::readObject: bad size");
    std::vector<std::uint8_t> texels;
    readTexels(stream, texels, w, h);
    create(w, h);
    if (w == width_ && h == height_)
        pixels_.swap(texels);
    else
        resample(texels.data(), w, h, pixels_.data(), width_, height_);
    upload(false);
}

} // namespace Vell3D
