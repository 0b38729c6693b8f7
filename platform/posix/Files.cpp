#include "platform/Files.h"
#include "platform/NativeName.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace platform {

uint32_t NameTooLongError() {
    return ENAMETOOLONG;
}

void FileHandleTraits::Close(Handle handle) {
    int saved = errno;  // closing must not hide the error that led to it
    ::close(static_cast<int>(handle));
    errno = saved;
}

bool WritableFile::Open(std::string_view name, Mode mode) {
    if (IsOpen()) {
        errno = EBUSY;
        return false;
    }
    NativeName native(name);
    if (!native.IsValid())
        return false;
    // Not following a link in the last component keeps a link planted in a shared
    // directory from redirecting the log into another file. Opening without blocking
    // keeps a FIFO without reader from hanging the caller; writes then block as usual.
    // Appending makes each write land whole at the end, whoever else writes the file.
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_APPEND |
                (mode == Mode::Truncate ? O_TRUNC : 0);
    int descriptor;
    do {
        descriptor = ::open(native.c_str(), flags, 0644);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        return false;
    m_handle.Reset(descriptor);
    int status = fcntl(descriptor, F_GETFL);
    if (status != -1)
        fcntl(descriptor, F_SETFL, status & ~O_NONBLOCK);
    return true;
}

bool WritableFile::Write(const char* data, size_t size, size_t& written) {
    written = 0;
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    int descriptor = static_cast<int>(m_handle.Get());
    // One call in the normal case; a short write (a signal, a nearly full disk) is
    // completed so that a record is never left cut in the middle when more room exists.
    while (size > 0) {
        ssize_t count = ::write(descriptor, data, size);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (count == 0) {
            errno = ENOSPC;
            return false;
        }
        data += count;
        size -= static_cast<size_t>(count);
        written += static_cast<size_t>(count);
    }
    return true;
}

bool WritableFile::Length(uint64_t& length) const {
    struct stat status {};
    if (!IsOpen() || fstat(static_cast<int>(m_handle.Get()), &status) != 0)
        return false;
    length = static_cast<uint64_t>(status.st_size);
    return true;
}

bool WritableFile::IsNamed(std::string_view name) const {
    NativeName native(name);
    struct stat open {
    }, named{};
    int saved = errno;
    bool same = IsOpen() && native.IsValid() &&
                fstat(static_cast<int>(m_handle.Get()), &open) == 0 && open.st_nlink > 0 &&
                lstat(native.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
                open.st_ino == named.st_ino;
    errno = saved;
    return same;
}

bool PathExists(std::string_view name) {
    NativeName native(name);
    struct stat status {};
    return native.IsValid() && lstat(native.c_str(), &status) == 0;
}

bool DirectoryExists(std::string_view name) {
    // A Windows drive name means nothing here: only the file system answers.
    NativeName native(name);
    struct stat status {};
    return native.IsValid() && stat(native.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool MakeDirectory(std::string_view name) {
    NativeName native(name);
    return native.IsValid() && mkdir(native.c_str(), 0755) == 0;
}

bool RenameFile(std::string_view from, std::string_view to) {
    NativeName nativeFrom(from);
    if (!nativeFrom.IsValid())
        return false;
    NativeName nativeTo(to);
    if (!nativeTo.IsValid())
        return false;
    if (renameat2(AT_FDCWD, nativeFrom.c_str(), AT_FDCWD, nativeTo.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system that cannot refuse to replace: look first. Another process could
    // create the name in between; nothing on such a system closes that gap.
    struct stat status {};
    if (lstat(nativeTo.c_str(), &status) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(nativeFrom.c_str(), nativeTo.c_str()) == 0;
}

bool RemoveFile(std::string_view name) {
    NativeName native(name);
    return native.IsValid() && unlink(native.c_str()) == 0;
}

}  // namespace platform
