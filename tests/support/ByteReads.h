// Little-endian integers read out of a byte vector by the tests that check
// the writers' layouts; an offset past the end throws std::out_of_range.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/LittleEndian.h"

namespace TestSupport {

template <typename Int>
Int readAt(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    if (at > bytes.size() || bytes.size() - at < sizeof(Int))
        throw std::out_of_range("read past the bytes");
    return Vell::LittleEndian::read<Int>(bytes.data() + at);
}

inline std::int32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return readAt<std::int32_t>(bytes, at);
}

inline std::int16_t le16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return readAt<std::int16_t>(bytes, at);
}

} // namespace TestSupport
