// An in-memory stream for the tests: reads back what it was given or what
// was written to it, zero bytes included (a String stream would end its text
// at the first zero); reading past the end throws IOException.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Exception.h"
#include "core/Stream.h"

namespace TestSupport {

class MemoryStream : public Vell::Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> data) : bytes(std::move(data)) {}
    explicit MemoryStream(std::string_view data) : bytes(data.begin(), data.end()) {}

    std::uint8_t readByte() override
    {
        if (position >= bytes.size())
            throw Vell::IOException();
        return bytes[position++];
    }
    void writeByte(std::uint8_t byte) override { bytes.push_back(byte); }

    // The bytes as a string, to compare with literals that hold zeros.
    std::string text() const { return std::string(bytes.begin(), bytes.end()); }
    // New content, read from its start.
    void refill(std::string_view data)
    {
        bytes.assign(data.begin(), data.end());
        position = 0;
    }

    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;
};

} // namespace TestSupport
