// Shared pieces of the 3D toolkit tests: an in-memory stream and one hidden
// GL context for the whole test program.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/Exception.h"
#include "core/Stream.h"
#include "tests/support/SharedGL.h"

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
    void SetUp() override { TestSupport::makeSharedGLCurrent(); }
};
