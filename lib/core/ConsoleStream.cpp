#include "core/ConsoleStream.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace Vell {

void writeStandardOutput(const void* buffer, int length)
{
    std::fflush(stdout);
    const auto* bytes = static_cast<const char*>(buffer);
    while (length > 0) {
        ssize_t put = ::write(1, bytes, size_t(length));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 1)
            return;   // a closed standard output loses diagnostics, nothing more
        bytes += put;
        length -= int(put);
    }
}

std::uint8_t ConsoleStream::readByte()
{
    int c = std::getchar();
    atEnd = (c == EOF);
    return std::uint8_t(c);
}

void ConsoleStream::writeByte(std::uint8_t byte)
{
    writeStandardOutput(&byte, 1);
}

int ConsoleStream::write(const void* buffer, int length)
{
    if (length > 0)
        writeStandardOutput(buffer, length);
    return length < 0 ? 0 : length;
}

} // namespace Vell
