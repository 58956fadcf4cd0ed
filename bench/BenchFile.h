// BenchFile: a file the benchmark writes once at set-up and removes at exit.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/FileOutput.h"
#include "tools/authoring/ByteBuffer.h"

class BenchFile {
public:
    BenchFile(const std::string& name, const VellTools::Bytes& bytes)
        : filePath((std::filesystem::temp_directory_path() /
                    ("vell-bench-" + std::to_string(getpid()) + "-" + name)).string())
    {
        Vell::writeFile(filePath, bytes);
    }
    BenchFile(const BenchFile&) = delete;
    BenchFile& operator=(const BenchFile&) = delete;
    ~BenchFile() { std::filesystem::remove(filePath); }

    const char* path() const { return filePath.c_str(); }

private:
    std::string filePath;
};
