#include "core/Stream.h"

#include <cstring>

#include "core/Exception.h"
#include "core/LittleEndian.h"

namespace Vell {

namespace {

// Typed values travel least significant byte first whatever the machine's
// order, so files written here read back the same everywhere.
void putLittle(Stream& stream, std::uint64_t bits, int width)
{
    std::uint8_t bytes[8];
    LittleEndian::put(bytes, bits, width);
    stream.write(bytes, width);
}

std::uint64_t getLittle(Stream& stream, int width)
{
    std::uint8_t bytes[8];
    stream.readFully(bytes, width);
    return LittleEndian::get(bytes, width);
}

} // namespace

Stream::~Stream() noexcept(false)
{
    checkUnused();
}

int Stream::read(void* buffer, int length)
{
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    for (int i = 0; i < length; ++i)
        bytes[i] = readByte();
    return length < 0 ? 0 : length;
}

int Stream::write(const void* buffer, int length)
{
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    for (int i = 0; i < length; ++i)
        writeByte(bytes[i]);
    return length < 0 ? 0 : length;
}

int Stream::copyFrom(Stream& source, int count)
{
    int copied = 0;
    try {
        while (copied < count) {
            writeByte(source.readByte());
            ++copied;
        }
    } catch (IOException&) {
        // The end of either side ends the copy; the count says how far it got.
    }
    return copied;
}

void Stream::readFully(void* buffer, int length)
{
    if (length < 0)
        throw IOException();
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    int done = 0;
    while (done < length) {
        int got = read(bytes + done, length - done);
        if (got < 1 || got > length - done)
            throw IOException();
        done += got;
    }
}

Stream& Stream::operator<<(const Object& object)
{
    object.writeObject(*this);
    return *this;
}

Stream& Stream::operator<<(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    putLittle(*this, bits, 8);
    return *this;
}

Stream& Stream::operator<<(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    putLittle(*this, bits, 4);
    return *this;
}

Stream& Stream::operator<<(std::int32_t value) { putLittle(*this, std::uint32_t(value), 4); return *this; }
Stream& Stream::operator<<(std::int16_t value) { putLittle(*this, std::uint16_t(value), 2); return *this; }
Stream& Stream::operator<<(std::int8_t value) { putLittle(*this, std::uint8_t(value), 1); return *this; }
Stream& Stream::operator<<(std::uint32_t value) { putLittle(*this, value, 4); return *this; }
Stream& Stream::operator<<(std::uint16_t value) { putLittle(*this, value, 2); return *this; }
Stream& Stream::operator<<(std::uint8_t value) { putLittle(*this, value, 1); return *this; }
Stream& Stream::operator<<(bool value) { putLittle(*this, value ? 1 : 0, 1); return *this; }
Stream& Stream::operator<<(char value) { putLittle(*this, std::uint8_t(value), 1); return *this; }

Stream& Stream::operator>>(Object& object)
{
    object.readObject(*this);
    return *this;
}

Stream& Stream::operator>>(double& value)
{
    std::uint64_t bits = getLittle(*this, 8);
    std::memcpy(&value, &bits, 8);
    return *this;
}

Stream& Stream::operator>>(float& value)
{
    auto bits = std::uint32_t(getLittle(*this, 4));
    std::memcpy(&value, &bits, 4);
    return *this;
}

Stream& Stream::operator>>(std::int32_t& value) { value = std::int32_t(std::uint32_t(getLittle(*this, 4))); return *this; }
Stream& Stream::operator>>(std::int16_t& value) { value = std::int16_t(std::uint16_t(getLittle(*this, 2))); return *this; }
Stream& Stream::operator>>(std::int8_t& value) { value = std::int8_t(std::uint8_t(getLittle(*this, 1))); return *this; }
Stream& Stream::operator>>(std::uint32_t& value) { value = std::uint32_t(getLittle(*this, 4)); return *this; }
Stream& Stream::operator>>(std::uint16_t& value) { value = std::uint16_t(getLittle(*this, 2)); return *this; }
Stream& Stream::operator>>(std::uint8_t& value) { value = std::uint8_t(getLittle(*this, 1)); return *this; }
// Any non-zero byte reads as true, so a stored bool never carries an invalid value.
Stream& Stream::operator>>(bool& value) { value = getLittle(*this, 1) != 0; return *this; }
Stream& Stream::operator>>(char& value) { value = char(getLittle(*this, 1)); return *this; }

} // namespace Vell
