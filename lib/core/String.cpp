#include "core/String.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/Exception.h"

namespace Vell {

namespace {

char* allocate(int bytes)
{
    auto* block = static_cast<char*>(std::malloc(size_t(bytes)));
    if (!block)
        throw MemoryException();
    return block;
}

int textLength(const char* text)
{
    size_t n = text ? std::strlen(text) : 0;
    if (n > size_t(INT_MAX - 1))
        throw InternalException("invalid argument");
    return int(n);
}

void checkRange(int start, int count, int length)
{
    if (start < 0 || count < 0 || start > length || count > length - start)
        throw InternalException("invalid argument");
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

} // namespace

String::String() : data(allocate(1)), capacity(1)
{
    data[0] = 0;
}

String::String(const char* text) : String(text, textLength(text), nullptr, 0) {}

String::String(char character) : data(allocate(2)), capacity(2)
{
    data[0] = character;
    data[1] = 0;
}

String::String(const String& other) : String(other.data, other.length(), nullptr, 0)
{
    pos = other.pos;
}

// The joined text of two pieces; every building operation goes through here
// so that a failed allocation leaves the source strings untouched.
String::String(const char* first, int firstLength, const char* second, int secondLength)
{
    if (firstLength > INT_MAX - 1 - secondLength)
        throw MemoryException();
    capacity = firstLength + secondLength + 1;
    data = allocate(capacity);
    if (firstLength)
        std::memcpy(data, first, size_t(firstLength));
    if (secondLength)
        std::memcpy(data + firstLength, second, size_t(secondLength));
    data[firstLength + secondLength] = 0;
}

String::~String() noexcept(false)
{
    std::free(data);
    data = nullptr;
}

int String::charCount() const
{
    return int(std::strlen(data));
}

// Takes over the characters of a temporary built beforehand; the temporary
// leaves with the old block and frees it.
void String::take(String& other)
{
    std::swap(data, other.data);
    std::swap(capacity, other.capacity);
}

// Grows the block geometrically so that writing a string byte by byte stays
// linear in its length.
void String::reserve(int needed)
{
    if (needed <= capacity)
        return;
    int grown = capacity > INT_MAX / 2 ? INT_MAX : capacity * 2;
    if (grown < needed)
        grown = needed;
    char* block = allocate(grown);
    std::memcpy(block, data, size_t(length()) + 1);
    std::free(data);
    data = block;
    capacity = grown;
}

std::uint8_t String::readByte()
{
    // A failed read leaves the position where it was, so a write at the end
    // still appends.
    if (pos < 0 || pos >= length())
        throw IOException();
    return std::uint8_t(data[pos++]);
}

void String::writeByte(std::uint8_t byte)
{
    int n = length();
    if (pos < 0 || pos > n || (pos == n && n == INT_MAX - 1))
        throw IOException();
    if (pos == n) {
        reserve(n + 2);
        data[n + 1] = 0;
    }
    data[pos++] = char(byte);
}

int String::copyFrom(Stream& source, int count)
{
    int written = 0;
    try {
        while (count > 0) {
            std::uint8_t byte = source.readByte();
            --count;
            if (byte != '\t') {
                writeByte(byte);
                ++written;
                continue;
            }
            for (int i = 0; i < 8 && count > 0; ++i, --count) {
                writeByte(' ');
                ++written;
            }
        }
    } catch (IOException&) {
        // The end of the source (or of this string) ends the copy.
    }
    return written;
}

int String::seek(int offset, int mode)
{
    long long base;
    switch (mode) {
    case 0: base = 0; break;
    case 1: base = pos; break;
    case 2: base = length(); break;
    default: throw InternalException("invalid argument");
    }
    long long target = base + offset;
    if (target < INT_MIN || target > INT_MAX)
        throw InternalException("invalid argument");
    pos = std::int32_t(target);
    return pos;
}

void String::writeObject(Stream& stream) const
{
    int n = length();
    stream << std::int32_t(n);
    stream.write(data, n);
}

void String::readObject(Stream& stream)
{
    std::int32_t n;
    stream >> n;
    if (n < 0)
        throw InternalException("bad persistent string length");
    // Read in bounded steps: a corrupt count on a short stream fails with
    // IOException instead of first allocating gigabytes.
    const int step = 1 << 16;
    String built;
    int have = 0;
    while (have < n) {
        int chunk = n - have < step ? n - have : step;
        // n + 1 bytes (the terminator) must fit an int: only a count of
        // INT_MAX meets this, after 2 GB have been read.
        if (chunk > INT_MAX - 1 - have)
            throw MemoryException();
        built.reserve(have + chunk + 1);
        stream.readFully(built.data + have, chunk);
        have += chunk;
        built.data[have] = 0;
    }
    // The count may include NUL bytes; the text ends at the first of them.
    take(built);
}

void String::clear()
{
    assign(String());
    pos = 0;
}

const char& String::charAt(int index) const
{
    if (index < 0 || index >= length())
        throw InternalException("invalid argument");
    return data[index];
}

char& String::charAt(int index)
{
    if (index < 0 || index >= length())
        throw InternalException("invalid argument");
    return data[index];
}

int String::compare(const String& other, bool caseSensitive) const
{
    const auto* a = reinterpret_cast<const unsigned char*>(data);
    const auto* b = reinterpret_cast<const unsigned char*>(other.data);
    if (caseSensitive) {
        while (*a && *a == *b) {
            ++a;
            ++b;
        }
        return *a < *b ? -1 : (*a > *b ? 1 : 0);
    }
    for (;; ++a, ++b) {
        int ca = (unsigned char)lowerAscii(char(*a));
        int cb = (unsigned char)lowerAscii(char(*b));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

void String::assign(const String& other)
{
    if (this == &other)
        return;
    String copy(other.data, other.length(), nullptr, 0);
    take(copy);
    pos = other.pos;
}

void String::append(const String& other)
{
    int n = length();
    int m = other.length();
    if (n > INT_MAX - 1 - m)
        throw MemoryException();
    String joined(data, n, other.data, m);
    take(joined);
}

String String::concat(const String& other) const
{
    return String(data, length(), other.data, other.length());
}

String String::substring(int start, int count) const
{
    checkRange(start, count, length());
    return String(data + start, count, nullptr, 0);
}

String String::left(int count) const
{
    return substring(0, count);
}

String String::right(int count) const
{
    int n = length();
    if (count < 0 || count > n)
        throw InternalException("invalid argument");
    return substring(n - count, count);
}

String String::toLower() const
{
    String result(*this);
    result.pos = 0;
    for (char* c = result.data; *c; ++c)
        *c = lowerAscii(*c);
    return result;
}

String String::toUpper() const
{
    String result(*this);
    result.pos = 0;
    for (char* c = result.data; *c; ++c)
        *c = upperAscii(*c);
    return result;
}

void String::insertChar(char character, int at)
{
    insert(String(character), at);
}

void String::removeChar(int at)
{
    remove(at, 1);
}

void String::insert(const String& other, int at)
{
    int n = length();
    if (at < 0 || at > n)
        throw InternalException("invalid argument");
    String joined = left(at).concat(other).concat(String(data + at));
    take(joined);
    pos = 0;
}

void String::remove(int start, int count)
{
    int n = length();
    checkRange(start, count, n);
    String joined(data, start, data + start + count, n - start - count);
    take(joined);
    pos = 0;
}

void String::replaceChar(char from, char to)
{
    for (char* c = data; *c; ++c)
        if (*c == from)
            *c = to;
}

} // namespace Vell
