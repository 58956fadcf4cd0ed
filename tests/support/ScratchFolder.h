// A fresh folder under the system's temporary folder for one test or
// fixture, removed with everything in it when the folder object goes.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "core/FileOutput.h"

namespace TestSupport {

class ScratchFolder {
public:
    // The folder's name starts with the prefix, so a leftover tells whose it was.
    explicit ScratchFolder(const std::string& prefix = "vell")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no scratch folder");
        folder = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // A path in the folder; path("") is the folder itself, with a slash.
    std::string path(const std::string& name) const { return (folder / name).string(); }
    // Writes the file whole (as the tools do) and returns its path.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        std::string file = path(name);
        Vell::writeFile(file, bytes);
        return file;
    }

private:
    std::filesystem::path folder;
};

} // namespace TestSupport
