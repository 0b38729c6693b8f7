#include "platform/ReadableFile.h"
#include "platform/NativeName.h"

#include <windows.h>

namespace platform {

bool ReadableFile::Open(std::string_view name) {
    if (IsOpen())
        return false;
    NativeName path(name);
    if (!path.IsValid())
        return false;
    // No sharing: a file that another program holds open is not read half-written.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    m_handle.Reset(reinterpret_cast<intptr_t>(file));
    // Only a file on disk: a pipe or a device of that name could hold the reader.
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_handle.Reset();
        SetLastError(ERROR_INVALID_FUNCTION);
        return false;
    }
    return true;
}

size_t ReadableFile::Read(char* buffer, size_t size) {
    if (!IsOpen())
        return 0;
    DWORD count = 0;
    DWORD chunk = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size);
    if (!ReadFile(reinterpret_cast<HANDLE>(m_handle.Get()), buffer, chunk, &count, nullptr))
        return 0;
    return count;
}

}  // namespace platform
