// Integers stored least significant byte first, as every file format and the
// typed stream operators keep them, decoded and encoded byte by byte so that
// the machine's own order and alignment never matter.
#pragma once

#include <cstdint>
#include <type_traits>

namespace Vell::LittleEndian {

// The width bytes at bytes (width 1 to 8) as an unsigned value.
inline std::uint64_t get(const std::uint8_t* bytes, int width)
{
    std::uint64_t bits = 0;
    for (int i = 0; i < width; ++i)
        bits |= std::uint64_t(bytes[i]) << (8 * i);
    return bits;
}

inline void put(std::uint8_t* bytes, std::uint64_t bits, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// The integer of type Int stored at bytes; signed types take the stored
// two's complement value.
template <typename Int>
Int read(const std::uint8_t* bytes)
{
    static_assert(std::is_integral_v<Int>);
    return Int(std::make_unsigned_t<Int>(get(bytes, int(sizeof(Int)))));
}

} // namespace Vell::LittleEndian
