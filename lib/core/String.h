// String: the library's owned, NUL-terminated 8-bit text, copied on every
// assignment. It is also a random-access stream over its own characters with
// a read/write position, so text moves with the same operators as files.
// Persistent form: a signed 4-byte little-endian count, then the characters.
#pragma once

#include <cstdint>

#include "core/RandomAccessStream.h"

namespace Vell {

class String : public RandomAccessStream {
public:
    String();
    String(const char* text);
    explicit String(char character);
    String(const String& other);
    String& operator=(const String& other) { assign(other); return *this; }
    String& operator=(const char* other) { assign(String(other)); return *this; }
    ~String() noexcept(false) override;

    const char* className() const override { return "String"; }

    // Stream over the characters; position errors are IOExceptions so that
    // copying treats the end of a string like the end of a file.
    std::uint8_t readByte() override;
    void writeByte(std::uint8_t byte) override;
    // Expands each tab into eight spaces; every byte read and every space
    // written uses one unit of count. Returns the characters written.
    int copyFrom(Stream& source, int count) override;
    int seek(int offset, int mode) override;
    int length() override { return charCount(); }
    int size() override { return charCount(); }
    int length() const { return charCount(); }

    void writeObject(Stream& stream) const override;
    void readObject(Stream& stream) override;

    virtual bool isEmpty() const { return data[0] == 0; }
    virtual void clear();
    virtual const char& charAt(int index) const;
    virtual char& charAt(int index);
    virtual const char* text() const { return data; }

    // case-sensitive: -1, 0 or 1 by unsigned bytes; otherwise A-Z fold onto
    // a-z and the sign of the difference counts.
    virtual int compare(const String& other, bool caseSensitive = true) const;
    virtual void assign(const String& other);
    virtual void append(const String& other);
    virtual String concat(const String& other) const;
    virtual String substring(int start, int count) const;
    virtual String left(int count) const;
    virtual String right(int count) const;
    virtual String toLower() const;
    virtual String toUpper() const;
    virtual void insertChar(char character, int at);
    virtual void removeChar(int at);
    virtual void insert(const String& other, int at);
    virtual void remove(int start, int count);
    virtual void replaceChar(char from, char to);

    bool operator==(const String& other) const { return compare(other) == 0; }
    bool operator!=(const String& other) const { return compare(other) != 0; }
    bool operator<=(const String& other) const { return compare(other) <= 0; }
    bool operator>=(const String& other) const { return compare(other) >= 0; }
    bool operator<(const String& other) const { return compare(other) < 0; }
    bool operator>(const String& other) const { return compare(other) > 0; }
    String operator+(char character) const { return concat(String(character)); }
    String operator+(const String& other) const { return concat(other); }
    String& operator+=(const String& other) { append(other); return *this; }

    int position() const { return pos; }

private:
    String(const char* first, int firstLength, const char* second, int secondLength);
    int charCount() const;
    void take(String& other);
    void reserve(int needed);

    char* data;
    int capacity;   // bytes allocated for data, terminator included
    std::int32_t pos = 0;
};

} // namespace Vell
