#include "core/File.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "core/Exception.h"

namespace Vell {

namespace {

int openFlags(int mode)
{
    int flags = O_CLOEXEC | ((mode & File::readOnly) ? O_RDONLY : O_RDWR);
    if (mode & File::append)
        flags |= O_APPEND;
    if (mode & File::create) {
        flags |= O_CREAT;
        if (mode & File::exclusive)
            flags |= O_EXCL;
    }
    if (mode & File::truncate)
        flags |= O_TRUNC;
    return flags;
}

} // namespace

File::File(const char* name, int mode)
{
    if (!name)
        throw IOException();
    do
        fd = ::open(name, openFlags(mode), 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw IOException(SubjectMessage("can't open", name, std::strerror(errno)));
    path = name;
    temporaryFile = (mode & temporary) != 0;
}

File::~File() noexcept(false)
{
    if (fd >= 0)
        ::close(fd);
    if (temporaryFile)
        ::unlink(path.c_str());
    // The stream part checks the usage counter after the descriptor is gone.
}

int File::read(void* buffer, int length)
{
    if (length == 0)
        return 0;
    if (length < 0 || !buffer)
        throw IOException();
    ssize_t got;
    do
        got = ::read(fd, buffer, size_t(length));
    while (got < 0 && errno == EINTR);   // a suspend signal is not an error
    if (got < 1)
        throw IOException(SubjectMessage("can't read", path.c_str(), got == 0 ? "the file ends early" : std::strerror(errno)));
    return int(got);
}

std::uint8_t File::readByte()
{
    std::uint8_t byte;
    read(&byte, 1);
    return byte;
}

int File::write(const void* buffer, int length)
{
    if (length == 0)
        return 0;
    if (length < 0 || !buffer)
        throw IOException();
    // A short write would lose the tail silently, so keep writing until all
    // bytes are out; a write that moves nothing is the failure.
    const auto* bytes = static_cast<const char*>(buffer);
    int done = 0;
    while (done < length) {
        ssize_t put = ::write(fd, bytes + done, size_t(length - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 1)
            throw IOException(SubjectMessage("can't write", path.c_str(), put == 0 ? "nothing written" : std::strerror(errno)));
        done += int(put);
    }
    return done;
}

void File::writeByte(std::uint8_t byte)
{
    write(&byte, 1);
}

int File::seek(int offset, int mode)
{
    int whence;
    switch (mode) {
    case 0: whence = SEEK_SET; break;
    case 1: whence = SEEK_CUR; break;
    case 2: whence = SEEK_END; break;
    default: throw IOException();
    }
    off_t at = ::lseek(fd, offset, whence);
    // Positions are 32-bit in this library; a larger one cannot be reported.
    if (at < 0 || at > 0x7fffffff)
        throw IOException();
    return int(at);
}

int File::length()
{
    throw InternalException("not implemented");
}

} // namespace Vell
