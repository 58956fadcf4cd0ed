#include <GL/gl.h>

#include <cstring>

#include "3d/Texture.h"
#include "3d/Vell3DException.h"
#include "TestSupport.h"
#include "tests/support/ThrownText.h"

using TestSupport::thrownMessage;
using Vell3D::Texture;

namespace {

std::vector<std::uint8_t> numberedPicture(int w, int h)
{
    // Texel (row, column) holds row in red and column in green.
    std::vector<std::uint8_t> p(static_cast<std::size_t>(w) * h * 4);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            std::uint8_t* t = &p[(r * w + c) * 4];
            t[0] = r;
            t[1] = c;
            t[2] = 7;
            t[3] = 255;
        }
    return p;
}

std::vector<std::uint8_t> header(std::uint32_t magic, std::int32_t w, std::int32_t h)
{
    MemoryStream s;
    s << magic << w << h;
    return s.bytes;
}

GLint parameter(const Texture& t, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, t.name());
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint minFilter(const Texture& t)
{
    return parameter(t, GL_TEXTURE_MIN_FILTER);
}

} // namespace

TEST(TexturePowerOfTwo, smallestNotBelow)
{
    EXPECT_EQ(Texture::powerOfTwo(0), 1);
    EXPECT_EQ(Texture::powerOfTwo(1), 1);
    EXPECT_EQ(Texture::powerOfTwo(3), 4);
    EXPECT_EQ(Texture::powerOfTwo(64), 64);
    EXPECT_EQ(Texture::powerOfTwo(-7), 1);
    EXPECT_EQ(Texture::powerOfTwo(1 << 30), 1 << 30);
    EXPECT_EQ(Texture::powerOfTwo((1 << 30) + 1), -1);
}

TEST(TextureResample, enlargesByNearestWithHalvesUp)
{
    auto src = numberedPicture(3, 3);
    std::vector<std::uint8_t> dst(4 * 4 * 4);
    Texture::resample(src.data(), 3, 3, dst.data(), 4, 4);
    const int expected[4] = {0, 1, 2, 2};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(dst[(i * 4 + j) * 4 + 0], expected[i]);
            EXPECT_EQ(dst[(i * 4 + j) * 4 + 1], expected[j]);
        }
}

TEST(TextureResample, largeEnlargementStaysInsideTheSource)
{
    // 3 -> 8: the last column computes 7 * 0.375 = 2.625, which rounds to 3.
    auto src = numberedPicture(3, 1);
    std::vector<std::uint8_t> dst(8 * 2 * 4);
    Texture::resample(src.data(), 3, 1, dst.data(), 8, 2);
    EXPECT_EQ(dst[7 * 4 + 1], 2);
    EXPECT_EQ(dst[(8 + 7) * 4 + 0], 0);
}

TEST(TextureResample, shrinksWithTheSameRule)
{
    auto src = numberedPicture(5, 4);
    std::vector<std::uint8_t> dst(2 * 2 * 4);
    Texture::resample(src.data(), 5, 4, dst.data(), 2, 2);
    EXPECT_EQ(dst[1 * 4 + 1], 3);   // round(2.5) = 3
    EXPECT_EQ(dst[2 * 4 + 0], 2);   // row round(2.0)
}

TEST(TextureResample, emptySourceLeavesDestination)
{
    std::uint8_t dst[4] = {1, 2, 3, 4};
    Texture::resample(nullptr, 0, 0, dst, 1, 1);
    EXPECT_EQ(dst[3], 4);
}

TEST(TextureUnmade, operationsNeedAValidTexture)
{
    Texture t;
    EXPECT_FALSE(t.isValid());
    EXPECT_EQ(t.width(), -1);
    EXPECT_EQ(t.name(), Texture::noName);
    EXPECT_THROW(t.pixels(), Vell3D::Vell3DException);
    EXPECT_THROW(t.bind(true, true), Vell3D::Vell3DException);
    EXPECT_THROW(t.upload(false), Vell3D::Vell3DException);
    MemoryStream s;
    EXPECT_EQ(thrownMessage([&] { t.writeObject(s); }), "Texture::writeObject: null texture");
}

TEST(TextureUnmade, exceptionClass)
{
    Vell3D::Vell3DException e;
    const Vell::ResourceException& base = e;
    EXPECT_STREQ(base.className(), "Vell3DException");
    EXPECT_STREQ(e.message(), "");
}

class TextureGL : public GLTest {};

TEST_F(TextureGL, createGivesGreyPowerOfTwoStorage)
{
    Texture t;
    t.create(5, 3);
    ASSERT_TRUE(t.isValid());
    EXPECT_EQ(t.width(), 8);
    EXPECT_EQ(t.height(), 4);
    const std::uint8_t* p = t.pixels();
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(p[i * 4 + 0], 128);
        EXPECT_EQ(p[i * 4 + 2], 128);
        EXPECT_EQ(p[i * 4 + 3], 255);
    }
    EXPECT_TRUE(glIsTexture(t.name()));
    EXPECT_FALSE(t.isMipmapped());
}

TEST_F(TextureGL, degenerateSizes)
{
    Texture t;
    t.create(0, 0);
    EXPECT_EQ(t.width(), 1);
    EXPECT_EQ(t.height(), 1);
    t.create(-20, 2);
    EXPECT_EQ(t.width(), 1);
    EXPECT_EQ(t.height(), 2);
}

TEST_F(TextureGL, sidesAreClampedToTheGLLimit)
{
    int limit = Texture::maxTextureSize();
    ASSERT_GE(limit, 64);
    Texture t;
    t.create(limit * 2 + 1, 1);
    EXPECT_EQ(t.width(), limit);
    t.create(2000000000, 1);
    EXPECT_EQ(t.width(), limit);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureGL, releaseEmptiesAndDeletes)
{
    Texture t;
    t.create(4, 4);
    unsigned name = t.name();
    t.release();
    EXPECT_FALSE(t.isValid());
    EXPECT_EQ(t.name(), Texture::noName);
    EXPECT_EQ(t.height(), -1);
    EXPECT_FALSE(glIsTexture(name));
    t.release();   // twice is harmless
}

TEST_F(TextureGL, bindSelectsMinificationByMipmaps)
{
    Texture t;
    t.create(16, 16);
    t.upload(true);
    EXPECT_TRUE(t.isMipmapped());
    t.bind(false, false);
    EXPECT_EQ(minFilter(t), GL_NEAREST_MIPMAP_NEAREST);
    t.bind(true, true);
    EXPECT_EQ(minFilter(t), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(t, GL_TEXTURE_WRAP_S), GL_REPEAT);

    MemoryStream s;
    t.writeObject(s);
    Texture read;
    read.readObject(s);
    EXPECT_FALSE(read.isMipmapped());
    read.bind(false, false);
    EXPECT_EQ(minFilter(read), GL_NEAREST);
    read.bind(true, false);
    EXPECT_EQ(minFilter(read), GL_LINEAR);
    EXPECT_EQ(parameter(read, GL_TEXTURE_WRAP_T), GL_CLAMP);
}

TEST_F(TextureGL, fileFormBytes)
{
    Texture t;
    t.create(64, 32);
    t.pixels()[0] = 9;
    MemoryStream s;
    t.writeObject(s);
    ASSERT_EQ(s.bytes.size(), 12u + 8192u);
    const std::uint8_t start[12] = {0x54, 0x45, 0x58, 0x20, 0x40, 0, 0, 0, 0x20, 0, 0, 0};
    EXPECT_EQ(std::memcmp(s.bytes.data(), start, 12), 0);
    EXPECT_EQ(s.bytes[12], 9);
    EXPECT_EQ(s.bytes[13], 128);

    Texture back;
    back.readObject(s);
    EXPECT_EQ(back.width(), 64);
    EXPECT_EQ(back.height(), 32);
    EXPECT_EQ(std::memcmp(back.pixels(), t.pixels(), 8192), 0);
}

TEST_F(TextureGL, badMagicCreatesNothing)
{
    MemoryStream s(header(0x20544558, 4, 4));   // "XET ": the other byte order
    s.bytes.resize(12 + 64);
    Texture t;
    EXPECT_EQ(thrownMessage([&] { t.readObject(s); }), "Texture::readObject: bad magic code");
    EXPECT_FALSE(t.isValid());
}

TEST_F(TextureGL, absurdStoredSizesAreRefused)
{
    for (auto [w, h] : {std::pair{-1, 4}, std::pair{4, -8}, std::pair{1 << 16, 1},
                        std::pair{1 << 15, 1 << 15}}) {
        MemoryStream s(header(Texture::magic, w, h));
        Texture t;
        EXPECT_EQ(thrownMessage([&] { t.readObject(s); }), "Texture::readObject: bad size") << w << " x " << h;
        EXPECT_FALSE(t.isValid());
    }
}

TEST_F(TextureGL, shortStreamLeavesTextureAlone)
{
    MemoryStream s(header(Texture::magic, 4, 4));
    s.bytes.resize(12 + 63);
    Texture t;
    t.create(2, 2);
    t.pixels()[0] = 1;
    EXPECT_THROW(t.readObject(s), Vell::IOException);
    ASSERT_TRUE(t.isValid());
    EXPECT_EQ(t.width(), 2);
    EXPECT_EQ(t.pixels()[0], 1);
}

TEST_F(TextureGL, storedSidesOtherThanStorageAreResampled)
{
    auto picture = numberedPicture(3, 2);
    MemoryStream s(header(Texture::magic, 3, 2));
    s.bytes.insert(s.bytes.end(), picture.begin(), picture.end());
    s.bytes.push_back(0xAB);   // whatever follows stays in the stream
    Texture t;
    t.readObject(s);
    EXPECT_EQ(t.width(), 4);
    EXPECT_EQ(t.height(), 2);
    EXPECT_EQ(t.pixels()[3 * 4 + 1], 2);
    EXPECT_EQ(s.readByte(), 0xAB);
}

TEST_F(TextureGL, fillResamplesIntoStorage)
{
    auto picture = numberedPicture(3, 3);
    Texture t;
    t.create(3, 3);
    t.fill(picture.data(), 3, 3);
    t.upload(true);
    EXPECT_EQ(t.pixels()[(3 * 4 + 3) * 4 + 0], 2);
    EXPECT_EQ(t.pixels()[(1 * 4 + 0) * 4 + 0], 1);
}

TEST_F(TextureGL, destroyingWhileAttachedIsServerBusy)
{
    // unique_ptr would end the process: its reset is noexcept.
    Texture* t = new Texture;
    t->create(1, 1);
    t->attach();
    try {
        delete t;
        FAIL();
    } catch (Vell::InternalException& e) {
        EXPECT_STREQ(e.message(), "server busy");
    }
}
