// A fresh directory under /tmp for one test, removed with its files after.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/vell-core-XXXXXX";
        char* made = mkdtemp(pattern);
        path = made ? made : "";
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const char* name) const { return path + "/" + name; }

    std::string path;
};
