#include "platform/FileNameLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace platform {

std::string FileNameLock::LockFileName(std::string_view fileName) {
    // The full name with backslashes as slashes, as the file services read it.
    std::string fullName;
    if (fileName.empty() || (fileName[0] != '/' && fileName[0] != '\\')) {
        char directory[4096];
        if (getcwd(directory, sizeof directory))
            fullName = std::string(directory) + "/";
    }
    for (char c : fileName)
        fullName += c == '\\' ? '/' : c;
    // A fixed directory, so that processes with different TMPDIR settings still meet.
    return LockFileIn("/tmp/", fullName);
}

void FileNameLock::Bind(std::string_view fileName) {
    Unlock();
    UnmapShared();
    m_handle.Reset();
    std::string lockName = LockFileName(fileName);
    int saved = errno;
    int descriptor = ::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (descriptor >= 0) {
        m_handle.Reset(descriptor);
        MapShared();
    }
    errno = saved;
}

void FileNameLock::MapShared() {
    int descriptor = static_cast<int>(m_handle.Get());
    struct stat status {};
    // Growing the file is safe to race: every process grows it to the same size.
    if (fstat(descriptor, &status) != 0 ||
        (status.st_size < static_cast<off_t>(SharedSize) && ftruncate(descriptor, SharedSize) != 0))
        return;
    void* shared = mmap(nullptr, SharedSize, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    if (shared != MAP_FAILED)
        m_shared = shared;
}

void FileNameLock::UnmapShared() {
    if (m_shared)
        munmap(m_shared, SharedSize);
    m_shared = nullptr;
}

bool FileNameLock::Lock(uint32_t timeoutMilliseconds) {
    if (m_locked || !m_handle.IsValid())
        return true;
    int descriptor = static_cast<int>(m_handle.Get());
    // Holders keep the lock for a few renames; waiting in short, growing pauses bounds
    // the wait without a thread or a signal.
    uint64_t waitedMicroseconds = 0;
    uint32_t pause = 50;
    while (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return m_locked = true;  // a lock the system refuses keeps nobody apart
        if (waitedMicroseconds >= uint64_t(timeoutMilliseconds) * 1000u)
            return false;
        timespec interval{0, static_cast<long>(pause) * 1000};
        nanosleep(&interval, nullptr);
        waitedMicroseconds += pause;
        if (pause < 2000)
            pause *= 2;
    }
    return m_locked = true;
}

void FileNameLock::Unlock() {
    if (!m_locked)
        return;
    m_locked = false;
    if (m_handle.IsValid())
        flock(static_cast<int>(m_handle.Get()), LOCK_UN);
}

std::string FileNameLock::Note() const {
    char note[NoteCapacity] = {};
    if (!m_handle.IsValid())
        return {};
    ssize_t got = pread(static_cast<int>(m_handle.Get()), note, NoteCapacity, 0);
    if (got <= 0)
        return {};
    return std::string(note, strnlen(note, static_cast<size_t>(got)));
}

void FileNameLock::SetNote(std::string_view text) {
    char note[NoteCapacity] = {};
    text.copy(note, NoteCapacity - 1);
    // Without the note the next holder would empty a file instead of continuing it;
    // nothing better can be done when it cannot be written.
    if (m_handle.IsValid() && pwrite(static_cast<int>(m_handle.Get()), note, sizeof note, 0) < 0) {
    }
}

}  // namespace platform
