#include "core/TextStream.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/Exception.h"
#include "core/Stream.h"

namespace Vell {

namespace {

bool inSet(std::uint8_t byte, const char* set)
{
    return byte == 0 || std::strchr(set, byte) != nullptr;
}

bool equalsIgnoringCase(const String& token, const char* word)
{
    return token.compare(String(word), false) == 0;
}

} // namespace

TextStream::TextStream(Stream& target) : stream(&target)
{
    stream->attach();
}

TextStream::~TextStream() noexcept(false)
{
    stream->detach();
}

// Most values fit the 256-byte buffer; a longer one (a huge double) is
// formatted again into a buffer of its own size rather than cut.
void TextStream::writeFormatted(const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) {
        va_end(again);
        return;
    }
    if (n < int(sizeof buffer)) {
        va_end(again);
        stream->write(buffer, n);
        return;
    }
    std::vector<char> big(size_t(n) + 1);
    std::vsnprintf(big.data(), big.size(), format, again);
    va_end(again);
    stream->write(big.data(), n);
}

TextStream& TextStream::operator<<(long value) { writeFormatted("%ld", value); return *this; }
TextStream& TextStream::operator<<(double value) { writeFormatted("%lf", value); return *this; }
TextStream& TextStream::operator<<(int value) { writeFormatted("%d", value); return *this; }
TextStream& TextStream::operator<<(char value) { stream->writeByte(std::uint8_t(value)); return *this; }
TextStream& TextStream::operator<<(unsigned int value) { writeFormatted("%u", value); return *this; }
TextStream& TextStream::operator<<(unsigned long value) { writeFormatted("%lu", value); return *this; }
TextStream& TextStream::operator<<(long long value) { writeFormatted("%lld", value); return *this; }
TextStream& TextStream::operator<<(unsigned long long value) { writeFormatted("%llu", value); return *this; }

TextStream& TextStream::operator<<(bool value)
{
    return *this << (value ? "true" : "false");
}

TextStream& TextStream::operator<<(const Printable& object)
{
    object.print(*this);
    return *this;
}

TextStream& TextStream::operator<<(const char* text)
{
    if (text && *text)
        stream->write(text, int(std::strlen(text)));
    return *this;
}

String TextStream::readToken(const char* skipSet, const char* separatorSet)
{
    std::uint8_t byte = stream->readByte();
    while (!stream->endOfInput() && inSet(byte, skipSet))
        byte = stream->readByte();
    if (stream->endOfInput())
        throw IOException();
    String token;
    if (!inSet(byte, separatorSet)) {
        do {
            token.writeByte(byte);
            byte = stream->readByte();
        } while (!stream->endOfInput() && !inSet(byte, separatorSet));
    }
    int end = token.length();
    while (end > 0 && inSet(std::uint8_t(token.charAt(end - 1)), skipSet))
        --end;
    if (end < token.length())
        return token.left(end);
    token.seek(0, 0);
    return token;
}

String TextStream::readWord()
{
    return readToken(separators, separators);
}

// Conversion without error checking, as the runtime's text-to-number calls
// do: the number stops at the first foreign character, no number gives 0.
// Values beyond the type's range are clamped rather than left undefined.
long TextStream::readLong()
{
    String token = readWord();
    return std::strtol(token.text(), nullptr, 10);
}

TextStream& TextStream::operator>>(Printable& object)
{
    object.print(*this);
    return *this;
}

TextStream& TextStream::operator>>(String& value)
{
    value = readWord();
    return *this;
}

TextStream& TextStream::operator>>(float& value)
{
    value = std::strtof(readWord().text(), nullptr);
    return *this;
}

TextStream& TextStream::operator>>(double& value)
{
    value = std::strtod(readWord().text(), nullptr);
    return *this;
}

TextStream& TextStream::operator>>(short& value)
{
    long n = readLong();
    value = short(n < SHRT_MIN ? SHRT_MIN : (n > SHRT_MAX ? SHRT_MAX : n));
    return *this;
}

TextStream& TextStream::operator>>(int& value)
{
    long n = readLong();
    value = int(n < INT_MIN ? INT_MIN : (n > INT_MAX ? INT_MAX : n));
    return *this;
}

TextStream& TextStream::operator>>(long& value)
{
    value = readLong();
    return *this;
}

TextStream& TextStream::operator>>(char& value)
{
    value = char(stream->readByte());
    return *this;
}

TextStream& TextStream::operator>>(bool& value)
{
    String token = readWord();
    if (equalsIgnoringCase(token, "true"))
        value = true;
    else if (equalsIgnoringCase(token, "false"))
        value = false;
    else
        throw ScannerException();
    return *this;
}

} // namespace Vell
