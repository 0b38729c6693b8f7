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
    // Readers are welcome; sharing deletion lets the rolling appenders rename the file
    // while it is still open, so that a failed rename leaves it open and intact.
    HANDLE file = CreateFileA(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, mode == Mode::Truncate ? CREATE_ALWAYS : OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    m_handle.Reset(reinterpret_cast<intptr_t>(file));
    if (mode == Mode::Append) {
        LARGE_INTEGER zero{};
        SetFilePointerEx(file, zero, nullptr, FILE_END);
    }
    SetLastError(0);  // OPEN_ALWAYS reports an existing file as an error code
    return true;
}

bool WritableFile::Write(const char* data, size_t size) {
    if (!IsOpen()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    while (size > 0) {
        DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(ToHandle(m_handle.Get()), data, chunk, &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool WritableFile::Length(uint64_t& length) const {
    LARGE_INTEGER size{};
    if (!IsOpen() || !GetFileSizeEx(ToHandle(m_handle.Get()), &size))
        return false;
    length = static_cast<uint64_t>(size.QuadPart);
    return true;
}

bool WritableFile::TruncateTo(uint64_t length) {
    if (!IsOpen())
        return false;
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(length);
    HANDLE file = ToHandle(m_handle.Get());
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
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
