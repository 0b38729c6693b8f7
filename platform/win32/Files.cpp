#include "platform/Files.h"
#include "platform/NativeName.h"

#include <windows.h>

namespace platform {
namespace {

HANDLE ToHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

bool IsDriveName(std::string_view name) {
    return (name.size() == 2 || (name.size() == 3 && (name[2] == '\\' || name[2] == '/'))) &&
           name[1] == ':';
}

}  // namespace

uint32_t NameTooLongError() {
    return ERROR_FILENAME_EXCED_RANGE;
}

void FileHandleTraits::Close(Handle handle) {
    DWORD saved = GetLastError();  // closing must not hide the error that led to it
    CloseHandle(ToHandle(handle));
    SetLastError(saved);
}

bool WritableFile::Open(std::string_view name, Mode mode) {
    if (IsOpen()) {
        SetLastError(ERROR_BUSY);
        return false;
    }
    NativeName native(name);
    if (!native.IsValid())
        return false;
    // Every process may read and write the file at once; sharing deletion lets the
    // rolling appenders rename it while others hold it open. Append access alone makes
    // each write land whole at the end of the file, whoever else writes it; emptying
    // needs write access, so a truncating open empties the file first.
    constexpr DWORD Sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    if (mode == Mode::Truncate) {
        HANDLE emptied = CreateFileA(native.c_str(), GENERIC_WRITE, Sharing, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (emptied == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(emptied);
    }
    // Reading is asked for only because locking a range needs it.
    HANDLE file = CreateFileA(
        native.c_str(), FILE_APPEND_DATA | FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
        Sharing, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    m_handle.Reset(reinterpret_cast<intptr_t>(file));
    SetLastError(0);  // OPEN_ALWAYS reports an existing file as an error code
    return true;
}

bool WritableFile::Write(const char* data, size_t size, size_t& written) {
    written = 0;
    if (!IsOpen()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    // Append access alone does not keep the writers of other processes apart everywhere
    // (Wine finds the end and writes there in two steps), so each write also holds a
    // lock on one byte far beyond any end of the file, which every writer takes.
    HANDLE file = ToHandle(m_handle.Get());
    OVERLAPPED lockAt{};
    lockAt.Offset = 0xFFFFFFFEu;
    lockAt.OffsetHigh = 0x7FFFFFFFu;
    bool locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lockAt);
    bool complete = true;
    while (size > 0) {
        DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD count = 0;
        if (!WriteFile(file, data, chunk, &count, nullptr)) {
            complete = false;
            break;
        }
        if (count == 0) {
            SetLastError(ERROR_DISK_FULL);
            complete = false;
            break;
        }
        data += count;
        size -= count;
        written += count;
    }
    if (locked) {
        DWORD saved = GetLastError();
        UnlockFileEx(file, 0, 1, 0, &lockAt);
        SetLastError(saved);
    }
    return complete;
}

bool WritableFile::Length(uint64_t& length) const {
    LARGE_INTEGER size{};
    if (!IsOpen() || !GetFileSizeEx(ToHandle(m_handle.Get()), &size))
        return false;
    length = static_cast<uint64_t>(size.QuadPart);
    return true;
}

bool WritableFile::IsNamed(std::string_view name) const {
    NativeName native(name);
    if (!IsOpen() || !native.IsValid())
        return false;
    DWORD saved = GetLastError();
    BY_HANDLE_FILE_INFORMATION open{}, named{};
    FILE_STANDARD_INFO standard{};
    bool same = false;
    HANDLE file = ToHandle(m_handle.Get());
    if (GetFileInformationByHandle(file, &open) &&
        GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) &&
        !standard.DeletePending) {
        HANDLE other = CreateFileA(native.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (other != INVALID_HANDLE_VALUE) {
            // Wine forgets the volume of a handle whose file was renamed.
            same = GetFileInformationByHandle(other, &named) &&
                   (open.dwVolumeSerialNumber == named.dwVolumeSerialNumber ||
                    open.dwVolumeSerialNumber == 0) &&
                   open.nFileIndexHigh == named.nFileIndexHigh &&
                   open.nFileIndexLow == named.nFileIndexLow;
            CloseHandle(other);
        }
    }
    SetLastError(saved);
    return same;
}

bool PathExists(std::string_view name) {
    NativeName native(name);
    return native.IsValid() && GetFileAttributesA(native.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DirectoryExists(std::string_view name) {
    NativeName native(name);
    if (!native.IsValid())
        return false;
    if (IsDriveName(name)) {
        char root[4] = {name[0], ':', '\\', '\0'};
        UINT type = GetDriveTypeA(root);
        return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
    }
    DWORD attributes = GetFileAttributesA(native.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(std::string_view name) {
    NativeName native(name);
    return native.IsValid() && CreateDirectoryA(native.c_str(), nullptr);
}

bool RenameFile(std::string_view from, std::string_view to) {
    NativeName nativeFrom(from);
    if (!nativeFrom.IsValid())
        return false;
    NativeName nativeTo(to);
    return nativeTo.IsValid() && MoveFileA(nativeFrom.c_str(), nativeTo.c_str());
}

bool RemoveFile(std::string_view name) {
    NativeName native(name);
    return native.IsValid() && DeleteFileA(native.c_str());
}

}  // namespace platform
