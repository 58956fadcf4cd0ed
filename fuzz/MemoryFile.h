// MemoryFile: a file in memory with a path, so that fuzz inputs reach the
// loaders through the real File code (open, read, seek) without touching the
// disk. Each call to replace makes the file hold exactly the given bytes.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

class MemoryFile {
public:
    explicit MemoryFile(const char* name)
    {
        descriptor = memfd_create(name, MFD_CLOEXEC);
        if (descriptor < 0)
            std::abort();
        filePath = "/proc/self/fd/" + std::to_string(descriptor);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    ~MemoryFile() { close(descriptor); }

    void replace(const std::uint8_t* data, std::size_t size)
    {
        if (ftruncate(descriptor, 0) != 0)
            std::abort();
        for (std::size_t done = 0; done < size;) {
            ssize_t put = pwrite(descriptor, data + done, size - done, off_t(done));
            if (put <= 0)
                std::abort();
            done += std::size_t(put);
        }
    }

    const char* path() const { return filePath.c_str(); }

private:
    int descriptor;
    std::string filePath;
};
