// Stream: raw bytes in and out. Typed values are moved by the operators below,
// which copy each value's bytes least significant first with no tag or padding;
// objects move themselves with writeObject and readObject. End of data and
// failed reads or writes throw IOException.
#pragma once

#include <cstdint>

#include "core/Object.h"
#include "core/UsageCounter.h"

namespace Vell {

class Stream : public Object, public UsageCounter {
public:
    ~Stream() noexcept(false) override;

    // Fills buffer with up to length bytes and returns the count read.
    // Default: readByte length times.
    virtual int read(void* buffer, int length);
    virtual std::uint8_t readByte() = 0;
    // Writes length bytes; returns the count written. Default: writeByte each.
    virtual int write(const void* buffer, int length);
    virtual void writeByte(std::uint8_t byte) = 0;
    // Copies up to count bytes byte by byte from source; stops quietly at the
    // first IOException of either side. Returns the count copied.
    virtual int copyFrom(Stream& source, int count);

    // True once a readByte met the end of input and returned a stand-in
    // value instead of throwing; only the console reports its end this way,
    // so text streams can end a token there.
    virtual bool endOfInput() const { return false; }

    // Reads exactly length bytes, calling read until they have all arrived.
    // A stream that ends first throws IOException (or the stream's own
    // error); the loaders use it so that no table keeps stale bytes.
    void readFully(void* buffer, int length);

    Stream& operator<<(const Object& object);
    Stream& operator<<(double value);
    Stream& operator<<(float value);
    Stream& operator<<(std::int32_t value);
    Stream& operator<<(std::int16_t value);
    Stream& operator<<(std::int8_t value);
    Stream& operator<<(std::uint32_t value);
    Stream& operator<<(std::uint16_t value);
    Stream& operator<<(std::uint8_t value);
    Stream& operator<<(bool value);
    Stream& operator<<(char value);

    Stream& operator>>(Object& object);
    Stream& operator>>(double& value);
    Stream& operator>>(float& value);
    Stream& operator>>(std::int32_t& value);
    Stream& operator>>(std::int16_t& value);
    Stream& operator>>(std::int8_t& value);
    Stream& operator>>(std::uint32_t& value);
    Stream& operator>>(std::uint16_t& value);
    Stream& operator>>(std::uint8_t& value);
    Stream& operator>>(bool& value);
    Stream& operator>>(char& value);
};

} // namespace Vell
