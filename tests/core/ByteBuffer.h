// A stream over a std::string of bytes, zeros included (a String stream ends
// its text at the first zero byte).
#pragma once

#include <string>

#include "core/Exception.h"
#include "core/Stream.h"

class ByteBuffer : public Vell::Stream {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::string initial) : bytes(std::move(initial)) {}

    std::uint8_t readByte() override
    {
        if (at >= bytes.size())
            throw Vell::IOException();
        return std::uint8_t(bytes[at++]);
    }
    void writeByte(std::uint8_t byte) override { bytes += char(byte); }

    std::string bytes;
    size_t at = 0;
};
