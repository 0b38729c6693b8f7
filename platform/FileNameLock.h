// A lock that every process of the machine writing one file shares: it is keyed by the
// file's full name (made absolute, and on Windows compared without regard to case), so
// processes that reach the file by different relative names still meet. It lives in a
// small file of the system's temporary directory, which also holds a short note the
// holders pass on to each other (the name of the file that was started last). The
// lock goes with its holder: a process that ends while holding it releases it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace platform {

class FileNameLock {
  public:
    FileNameLock() = default;
    FileNameLock(const FileNameLock&) = delete;
    FileNameLock& operator=(const FileNameLock&) = delete;
    ~FileNameLock() { Unlock(); }

    // Makes this the lock of `fileName`. When the lock file cannot be had (a full or
    // unwritable temporary directory), Lock answers true at once: the processes are
    // then not kept apart, but each goes on working.
    void Bind(std::string_view fileName);
    // Waits up to `timeoutMilliseconds` of real time (not the settable clock) for the
    // lock; false when another process held it all that time.
    bool Lock(uint32_t timeoutMilliseconds);
    void Unlock();
    // The note, at most NoteCapacity characters; "" when there is none.
    std::string Note() const;
    void SetNote(std::string_view note);

    // The name of the lock file of `fileName`, in `directory`.
    static std::string LockFileName(std::string_view directory, std::string_view fullName);

    static constexpr size_t NoteCapacity = 4 * (MaxPathLength + 1);

  private:
    UniqueHandle<FileHandleTraits> m_handle;
    bool m_locked = false;
};

// Holds a FileNameLock for one scope.
class FileNameLockScope {
  public:
    FileNameLockScope(FileNameLock& lock, uint32_t timeoutMilliseconds)
        : m_lock(lock), m_held(lock.Lock(timeoutMilliseconds)) {}
    ~FileNameLockScope() {
        if (m_held)
            m_lock.Unlock();
    }
    FileNameLockScope(const FileNameLockScope&) = delete;
    FileNameLockScope& operator=(const FileNameLockScope&) = delete;
    bool Held() const { return m_held; }

  private:
    FileNameLock& m_lock;
    bool m_held;
};

}  // namespace platform
