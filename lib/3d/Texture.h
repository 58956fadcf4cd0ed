// Texture: an RGBA picture in memory together with the GL texture object
// made from it. Storage sides are always powers of two (as GL 1.1 needs) and
// never larger than the GL implementation accepts; a picture of another size
// is resampled into the storage by nearest neighbour.
//
// File form (writeObject / readObject), little-endian:
//   0   4   magic 0x20584554, the bytes "TEX "
//   4   4   width, signed
//   8   4   height, signed
//   12  width * height * 4 texels, row after row, red, green, blue, alpha
//
// create, upload, bind, unbind and release need a current GL context.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Object.h"
#include "core/UsageCounter.h"

namespace Vell3D {

class Texture : public Vell::Object, public Vell::UsageCounter {
public:
    static constexpr std::uint32_t magic = 0x20584554;
    static constexpr unsigned int noName = 0xFFFFFFFFu;
    // Sides a stream may ask for; larger values are corrupt data, not a
    // reason to allocate gigabytes.
    static constexpr int maxStoredSide = 1 << 15;
    static constexpr std::int64_t maxStoredTexels = std::int64_t(1) << 24;

    Texture() = default;
    // Releases, then throws InternalException "server busy" while attached.
    ~Texture() noexcept(false) override;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    void writeObject(Vell::Stream& stream) const override;
    void readObject(Vell::Stream& stream) override;

    // Filter: linear rather than nearest; repeat: repeat rather than clamp.
    virtual void bind(bool filter, bool repeat);
    virtual void unbind();
    // Grey storage for a w x h picture, uploaded without mipmaps.
    virtual void create(int width, int height);
    virtual void upload(bool mipmaps);
    virtual void release();
    virtual bool isValid() const { return valid; }
    virtual std::uint8_t* pixels();
    virtual int width() const { return width_; }
    virtual int height() const { return height_; }

    bool isMipmapped() const { return mipmapped; }
    unsigned int name() const { return name_; }

    // Resamples a sw x sh RGBA picture into the storage (see resample).
    void fill(const std::uint8_t* source, int sw, int sh);

    // Smallest 2^i >= n for i in 0..30; 0 and negatives give 1; -1 above 2^30.
    static int powerOfTwo(int n);
    // Nearest neighbour from sw x sh to dw x dh RGBA texels: destination
    // column j takes source column round(sw / dw * j), halves going up, and
    // the same for rows. Indices are kept inside the source, so the rule
    // also shrinks. An empty source leaves the destination as it is.
    static void resample(const std::uint8_t* source, int sw, int sh,
                         std::uint8_t* destination, int dw, int dh);
    // GL_MAX_TEXTURE_SIZE, asked once a context is current.
    static int maxTextureSize();

private:
    static int storageSide(int n);
    void readTexels(Vell::Stream& stream, std::vector<std::uint8_t>& texels, int w, int h);

    std::vector<std::uint8_t> pixels_;
    unsigned int name_ = noName;
    int width_ = -1;
    int height_ = -1;
    bool valid = false;
    bool mipmapped = false;
};

} // namespace Vell3D
