// A lock that every process of the machine writing one file shares: it is keyed by the
// file's full name (made absolute, and on Windows compared without regard to case), so
// processes that reach the file by different relative names still meet. It lives in a
// small file of the system's temporary directory, which also holds a short note the
// holders pass on to each other (the names of the files started last) and a count of
// the bytes that all of them have written, kept in memory that they share. The lock
// goes with its holder: a process that ends while holding it releases it.
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
    ~FileNameLock();

    // Makes this the lock of `fileName`. When the lock file cannot be had (a full or
    // unwritable temporary directory), Lock answers true at once: the processes are
    // then not kept apart, but each goes on working.
    void Bind(std::string_view fileName);
    // Waits up to `timeoutMilliseconds` of real time (not the settable clock) for the
    // lock; false when another process held it all that time.
    bool Lock(uint32_t timeoutMilliseconds);
    void Unlock();
    bool IsLocked() const { return m_locked; }
    // The note, at most NoteCapacity characters; "" when there is none.
    std::string Note() const;
    void SetNote(std::string_view note);
    // Adds `bytes` to the count that the processes share and answers the new count; it
    // needs no lock and no system call. Without a lock file the count is this
    // object's own.
    uint64_t AddWritten(uint64_t bytes);

    // The lock file of `fileName` ("" when none can be had), in UTF-8 on Windows. It
    // stays after the last holder ends, one per file name.
    static std::string LockFileName(std::string_view fileName);

    static constexpr size_t NoteCapacity = 4 * (MaxPathLength + 1);

  private:
    // The name of the lock file of the file `fullName`, in `directory`.
    static std::string LockFileIn(std::string_view directory, std::string_view fullName);
    // The page of the lock file that the processes share: the count at CountOffset.
    static constexpr size_t SharedSize = 4096;
    static constexpr size_t CountOffset = 2048;
    void MapShared();
    void UnmapShared();

    UniqueHandle<FileHandleTraits> m_handle;
    bool m_locked = false;
    void* m_shared = nullptr;
    intptr_t m_mapping = 0;  // the mapping object on Windows
    uint64_t m_ownCount = 0;
};

// Holds a FileNameLock for one scope; a scope inside another leaves it to the outer.
class FileNameLockScope {
  public:
    FileNameLockScope(FileNameLock& lock, uint32_t timeoutMilliseconds)
        : m_lock(lock),
          m_taken(!lock.IsLocked()),
          m_held(!m_taken || lock.Lock(timeoutMilliseconds)) {}
    ~FileNameLockScope() {
        if (m_taken && m_held)
            m_lock.Unlock();
    }
    FileNameLockScope(const FileNameLockScope&) = delete;
    FileNameLockScope& operator=(const FileNameLockScope&) = delete;
    bool Held() const { return m_held; }

  private:
    FileNameLock& m_lock;
    bool m_taken;
    bool m_held;
};

}  // namespace platform
