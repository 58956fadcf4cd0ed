// The process's memory as the kernel counts it, in KiB: a field of
// /proc/self/status such as "VmRSS" (resident now) or "VmHWM" (the peak).
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

inline long processMemoryKiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    const std::string key = field + ":";
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::strtol(line.c_str() + key.size(), nullptr, 10);
    return 0;
}
