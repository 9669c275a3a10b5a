#pragma once

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace quorel::bench {

// A memory figure of this process from /proc/self/status, in KiB: "VmRSS:" for what is resident
// now, "VmHWM:" for the peak. -1 where the line is missing.
inline long processMemoryKiB(const char *key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::strtol(line.c_str() + std::strlen(key), nullptr, 10);
    }
    return -1;
}

} // namespace quorel::bench
