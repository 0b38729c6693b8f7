#include "platform/FileNameLock.h"

#include <cstdio>

namespace platform {

std::string FileNameLock::LockFileIn(std::string_view directory, std::string_view fullName) {
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

uint64_t FileNameLock::AddWritten(uint64_t bytes) {
    if (!m_shared)
        return m_ownCount += bytes;
    auto* count = reinterpret_cast<uint64_t*>(static_cast<char*>(m_shared) + CountOffset);
    return __atomic_add_fetch(count, bytes, __ATOMIC_RELAXED);
}

FileNameLock::~FileNameLock() {
    Unlock();
    UnmapShared();
}

}  // namespace platform
