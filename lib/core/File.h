// File: a file on disk through the POSIX descriptor calls. Opened for reading
// and writing unless the mode asks for read-only access.
#pragma once

#include <string>

#include "core/RandomAccessStream.h"

namespace Vell {

class File : public RandomAccessStream {
public:
    enum Mode {
        append = 1,      // every write goes to the end of the file
        create = 2,      // create the file if it does not exist
        exclusive = 4,   // with create: fail if the file exists
        truncate = 8,    // truncate to length 0
        temporary = 16,  // delete the file when it is closed
        readOnly = 32,   // open for reading only (data the program never changes)
    };

    // Throws IOException "can't open <name>: <reason>" when the file cannot
    // be opened.
    File(const char* name, int mode);
    ~File() noexcept(false) override;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    const char* className() const override { return "File"; }

    // One low-level read of up to length bytes; less than one byte throws
    // IOException "can't read <name>: <reason>". Nothing happens for length 0.
    int read(void* buffer, int length) override;
    std::uint8_t readByte() override;
    int write(const void* buffer, int length) override;
    void writeByte(std::uint8_t byte) override;
    int seek(int offset, int mode) override;
    // Throws InternalException "not implemented".
    int length() override;

    int descriptor() const { return fd; }

private:
    int fd = -1;
    std::string path;              // as opened, for messages and for unlinking
    bool temporaryFile = false;
};

} // namespace Vell
