// ConsoleStream: the process's standard input and output as a stream.
// The end of input is returned as a byte (the value 255) rather than thrown;
// endOfInput tells it apart from a real byte of that value.
#pragma once

#include "core/Stream.h"

namespace Vell {

class ConsoleStream : public Stream {
public:
    std::uint8_t readByte() override;
    void writeByte(std::uint8_t byte) override;
    int write(const void* buffer, int length) override;
    bool endOfInput() const override { return atEnd; }

private:
    bool atEnd = false;
};

// Writes all bytes to standard output at once, after anything the C library
// still buffers, so that output keeps its order when the process ends.
void writeStandardOutput(const void* buffer, int length);

} // namespace Vell
