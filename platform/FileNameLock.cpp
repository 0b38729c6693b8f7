#include "platform/FileNameLock.h"

#include <cstdio>

namespace platform {

std::string FileNameLock::LockFileName(std::string_view directory, std::string_view fullName) {
    // FNV-1a: short, stable names; two log names that share a lock only wait more.
    uint64_t hash = 14695981039346656037ull;
    for (char c : fullName) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char name[40];
    std::snprintf(name, sizeof name, "scrivlog-%016llx.lock",
                  static_cast<unsigned long long>(hash));
    std::string path(directory);
    return path + name;
}

}  // namespace platform
