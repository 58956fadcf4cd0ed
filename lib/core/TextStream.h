// TextStream: values as text over any Stream. Output formats numbers,
// characters, booleans and texts; input splits the stream into tokens
// separated by blanks, tabs and line ends and converts them. The text stream
// attaches to its stream, so the stream cannot be destroyed under it.
#pragma once

#include "core/Object.h"
#include "core/Printable.h"
#include "core/String.h"

namespace Vell {

class Stream;

class TextStream : public Object {
public:
    static constexpr const char* separators = " \t\n\r";

    explicit TextStream(Stream& stream);
    ~TextStream() noexcept(false) override;
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;

    virtual TextStream& operator<<(long value);
    virtual TextStream& operator<<(const Printable& object);
    virtual TextStream& operator<<(const char* text);
    virtual TextStream& operator<<(double value);
    virtual TextStream& operator<<(int value);
    virtual TextStream& operator<<(char value);
    virtual TextStream& operator<<(bool value);
    TextStream& operator<<(const String& text) { return *this << text.text(); }
    TextStream& operator<<(unsigned int value);
    TextStream& operator<<(unsigned long value);
    TextStream& operator<<(long long value);
    TextStream& operator<<(unsigned long long value);

    // Skips bytes of skipSet, then reads up to the first byte of separatorSet
    // (consumed, not kept) and drops skipSet bytes from the token's end.
    // A NUL byte belongs to both sets. A stream that reports its end in-band
    // (the console) ends the token there; an empty token at the end of such a
    // stream throws IOException.
    virtual String readToken(const char* skipSet, const char* separatorSet);
    virtual TextStream& operator>>(Printable& object);
    virtual TextStream& operator>>(String& value);
    virtual TextStream& operator>>(float& value);
    virtual TextStream& operator>>(double& value);
    virtual TextStream& operator>>(short& value);
    virtual TextStream& operator>>(int& value);
    virtual TextStream& operator>>(long& value);
    // One raw byte, nothing skipped.
    virtual TextStream& operator>>(char& value);
    // "true" or "false" in any case; anything else throws ScannerException.
    virtual TextStream& operator>>(bool& value);

    Stream& underlyingStream() const { return *stream; }

private:
    void writeFormatted(const char* format, ...);
    String readWord();
    long readLong();

    Stream* stream;
};

} // namespace Vell
