// A regular file open for reading, held exclusively: opening fails when the file does not
// exist, is anything but a regular file (a directory, a FIFO, a device: opening never
// waits), or another program holds it open (on Windows; POSIX has no such exclusion).
// Names follow the conventions of Files.h: on POSIX a backslash is a directory separator
// and a symbolic link in the last component is not followed.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/Files.h"

namespace platform {

class ReadableFile {
  public:
    bool Open(std::string_view name);
    bool IsOpen() const { return m_handle.IsValid(); }
    // Reads up to `size` bytes; the count read, 0 at the end of the file or on error.
    size_t Read(char* buffer, size_t size);
    void Close() { m_handle.Reset(); }

  private:
    UniqueHandle<FileHandleTraits> m_handle;
};

}  // namespace platform
