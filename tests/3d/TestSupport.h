// Shared pieces of the 3D toolkit tests: an in-memory stream and one hidden
// GL context for the whole test program.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/Exception.h"
#include "core/Stream.h"
#include "gui/platform/HeadlessGL.h"

class MemoryStream : public Vell::Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> data) : bytes(std::move(data)) {}

    std::uint8_t readByte() override
    {
        if (position >= bytes.size())
            throw Vell::IOException();
        return bytes[position++];
    }
    void writeByte(std::uint8_t byte) override { bytes.push_back(byte); }

    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;
};

// Tests that draw or make textures derive their fixture from this; the
// context is made once, the first time one of them runs.
class GLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!gl)
            gl = std::make_unique<Vell::Platform::HeadlessGL>();
    }
    void SetUp() override
    {
        ASSERT_TRUE(gl->ok()) << gl->error();
        gl->makeCurrent();
    }
    static inline std::unique_ptr<Vell::Platform::HeadlessGL> gl;
};
