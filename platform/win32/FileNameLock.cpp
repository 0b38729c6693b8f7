#include "platform/FileNameLock.h"

#include <windows.h>

#include "platform/WideText.h"

namespace platform {
namespace {

HANDLE ToHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The lock is one byte far beyond the note, so that reading and writing the note are
// never refused while another process holds the lock.
constexpr DWORD LockOffsetHigh = 1;

}  // namespace

std::string FileNameLock::LockFileName(std::string_view fileName) {
    std::string name(fileName.substr(0, MaxPathLength));
    char fullName[MAX_PATH * 2];
    DWORD length = GetFullPathNameA(name.c_str(), sizeof fullName, fullName, nullptr);
    if (length == 0 || length >= sizeof fullName)
        return {};
    for (DWORD i = 0; i < length; ++i) {
        if (fullName[i] >= 'a' && fullName[i] <= 'z')
            fullName[i] = static_cast<char>(fullName[i] - 'a' + 'A');
        else if (fullName[i] == '/')
            fullName[i] = '\\';
    }
    // The temporary directory is taken whole, in UTF-8: its ANSI form loses the letters
    // of a user name outside the code page, and no lock file could be made there.
    wchar_t directory[MAX_PATH + 1];
    DWORD directoryLength = GetTempPathW(MAX_PATH + 1, directory);
    if (directoryLength == 0 || directoryLength > MAX_PATH)
        return {};
    return LockFileIn(Utf8FromWide(std::wstring_view(directory, directoryLength)),
                      std::string_view(fullName, length));
}

void FileNameLock::Bind(std::string_view fileName) {
    Unlock();
    UnmapShared();
    m_handle.Reset();
    std::string lockName = LockFileName(fileName);
    if (lockName.empty())
        return;
    DWORD saved = GetLastError();
    HANDLE file = CreateFileW(WideFilePath(lockName).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        m_handle.Reset(reinterpret_cast<intptr_t>(file));
        MapShared();
    }
    SetLastError(saved);
}

void FileNameLock::MapShared() {
    // Mapping more than the file holds grows it; every process grows it to the same size.
    HANDLE mapping = CreateFileMappingA(ToHandle(m_handle.Get()), nullptr, PAGE_READWRITE, 0,
                                        SharedSize, nullptr);
    if (!mapping)
        return;
    void* shared = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, SharedSize);
    if (!shared) {
        CloseHandle(mapping);
        return;
    }
    m_mapping = reinterpret_cast<intptr_t>(mapping);
    m_shared = shared;
}

void FileNameLock::UnmapShared() {
    if (m_shared) {
        UnmapViewOfFile(m_shared);
        CloseHandle(ToHandle(m_mapping));
    }
    m_shared = nullptr;
    m_mapping = 0;
}

bool FileNameLock::Lock(uint32_t timeoutMilliseconds) {
    if (m_locked || !m_handle.IsValid())
        return true;
    // Holders keep the lock for a few renames; short pauses bound the wait without a
    // thread of our own.
    for (uint32_t waited = 0;; ++waited) {
        OVERLAPPED at{};
        at.OffsetHigh = LockOffsetHigh;
        if (LockFileEx(ToHandle(m_handle.Get()),
                       LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
            return m_locked = true;
        if (GetLastError() != ERROR_LOCK_VIOLATION && GetLastError() != ERROR_IO_PENDING)
            return m_locked = true;  // a lock the system refuses keeps nobody apart
        if (waited >= timeoutMilliseconds)
            return false;
        ::Sleep(1);
    }
}

void FileNameLock::Unlock() {
    if (!m_locked)
        return;
    m_locked = false;
    if (m_handle.IsValid()) {
        OVERLAPPED at{};
        at.OffsetHigh = LockOffsetHigh;
        UnlockFileEx(ToHandle(m_handle.Get()), 0, 1, 0, &at);
    }
}

std::string FileNameLock::Note() const {
    char note[NoteCapacity] = {};
    OVERLAPPED at{};
    DWORD got = 0;
    if (!m_handle.IsValid() || !ReadFile(ToHandle(m_handle.Get()), note, NoteCapacity, &got, &at))
        return {};
    return std::string(note, strnlen(note, got));
}

void FileNameLock::SetNote(std::string_view text) {
    char note[NoteCapacity] = {};
    text.copy(note, NoteCapacity - 1);
    OVERLAPPED at{};
    DWORD written = 0;
    // Without the note the next holder would empty a file instead of continuing it;
    // nothing better can be done when it cannot be written.
    if (m_handle.IsValid())
        WriteFile(ToHandle(m_handle.Get()), note, sizeof note, &written, &at);
}

}  // namespace platform
