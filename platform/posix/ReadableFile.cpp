#include "platform/ReadableFile.h"
#include "platform/NativeName.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool ReadableFile::Open(std::string_view name) {
    if (IsOpen())
        return false;
    NativeName native(name);
    if (!native.IsValid())
        return false;
    // Non-blocking, so that a FIFO or a device of that name cannot hold the caller; only
    // a regular file is kept (O_NONBLOCK does nothing to reading one).
    int descriptor = open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor < 0)
        return false;
    m_handle.Reset(descriptor);
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        m_handle.Reset();
        errno = EINVAL;
        return false;
    }
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
