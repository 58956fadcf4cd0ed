#include "core/FileOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/Exception.h"

namespace Vell {

namespace {

// The file a write to path lands in: a link is followed, so that replacing
// the file does not replace the link with a plain file.
std::filesystem::path targetOf(const std::string& path)
{
    std::error_code error;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(target, error)) {
        std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
        if (!error)
            return resolved;
    }
    return target;
}

// What a newly created file would get, or the replaced file's own bits.
mode_t modeFor(const std::filesystem::path& target)
{
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += std::size_t(put);
    }
    return true;
}

// A device or pipe (/dev/stdout, a FIFO) cannot be replaced: it is written
// as it is.
bool isSpecial(const std::string& path)
{
    struct stat existing;
    return ::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode);
}

void writeThrough(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0)
        throw IOException(SubjectMessage("can't create", path.c_str(), std::strerror(errno)));
    bool written = writeAll(fd, bytes);
    if (::close(fd) != 0 || !written)
        throw IOException(SubjectMessage("can't write", path.c_str(), std::strerror(errno)));
}

// Writes the bytes to a new temporary file in the target's folder and
// returns its name once they are on disk; on failure nothing is left.
std::string writeTemporary(const std::filesystem::path& target, const std::string& path,
                           const std::vector<std::uint8_t>& bytes, mode_t mode)
{
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw IOException(SubjectMessage("can't create", path.c_str(), std::strerror(errno)));
    // fsync before the file takes its name: an old file may go only once
    // the new one is really stored.
    bool written = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        throw IOException(SubjectMessage("can't write", path.c_str(), std::strerror(reason)));
    }
    return temporary;
}

} // namespace

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    if (isSpecial(path)) {
        writeThrough(path, bytes);
        return;
    }
    const std::filesystem::path target = targetOf(path);
    const std::string temporary = writeTemporary(target, path, bytes, modeFor(target));
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        throw IOException(SubjectMessage("can't write", path.c_str(), std::strerror(reason)));
    }
}

bool writeNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const std::filesystem::path target = path;
    const std::string temporary = writeTemporary(target, path, bytes, modeFor(target));
    // A hard link takes the name only when nothing has it, where a rename
    // would replace what is there.
    const int linked = ::link(temporary.c_str(), target.c_str());
    const int reason = errno;
    ::unlink(temporary.c_str());
    if (linked == 0)
        return true;
    if (reason == EEXIST)
        return false;
    throw IOException(SubjectMessage("can't write", path.c_str(), std::strerror(reason)));
}

} // namespace Vell
