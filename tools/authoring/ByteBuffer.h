// ByteBuffer: a growing byte vector with little-endian appenders, the common
// ground of every writer in this folder. The data formats are little-endian
// whatever the host is, so integers are split into bytes explicitly.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace VellTools {

using Bytes = std::vector<std::uint8_t>;

class ByteBuffer {
public:
    void put8(std::uint32_t value) { data.push_back(static_cast<std::uint8_t>(value)); }
    void put16(std::uint32_t value)
    {
        put8(value);
        put8(value >> 8);
    }
    void put32(std::uint32_t value)
    {
        put16(value);
        put16(value >> 16);
    }
    void putBytes(const void* bytes, std::size_t count)
    {
        const auto* p = static_cast<const std::uint8_t*>(bytes);
        data.insert(data.end(), p, p + count);
    }
    void putBytes(const Bytes& bytes) { data.insert(data.end(), bytes.begin(), bytes.end()); }

    const Bytes& bytes() const { return data; }
    Bytes take() { return std::move(data); }

private:
    Bytes data;
};

} // namespace VellTools
