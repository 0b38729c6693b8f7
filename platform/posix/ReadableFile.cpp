#include "platform/ReadableFile.h"
#include "platform/NativeName.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool ReadableFile::Open(std::string_view name) {
    if (IsOpen())
        return false;
    NativeName native(name);
    if (!native.IsValid())
        return false;
    int descriptor = open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0)
        return false;
    m_handle.Reset(descriptor);
    return true;
}

size_t ReadableFile::Read(char* buffer, size_t size) {
    if (!IsOpen())
        return 0;
    for (;;) {
        ssize_t count = read(static_cast<int>(m_handle.Get()), buffer, size);
        if (count >= 0)
            return static_cast<size_t>(count);
        if (errno != EINTR)
            return 0;
    }
}

}  // namespace platform
