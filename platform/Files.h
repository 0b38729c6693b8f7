// File services: a file opened for writing, and the few operations on names that the
// file appenders need (existence, directories, renaming, deleting). Failures answer
// false and leave the reason in the last system error code (SystemErrors.h).
//
// Names follow Windows conventions on every system: on POSIX a backslash is a directory
// separator, and files are opened without following a symbolic link in the last
// component of their name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/UniqueHandle.h"

namespace platform {

// The longest file name that the file services accept (the Windows path buffer less
// its terminator); longer names fail with NameTooLongError().
constexpr size_t MaxPathLength = 259;

// The system's error code for a name that is too long.
uint32_t NameTooLongError();

// The native handle of an open file, held as an integer on every system (a descriptor
// on POSIX, a HANDLE on Windows); -1 means no file.
struct FileHandleTraits {
    using Handle = intptr_t;
    static constexpr Handle Invalid() { return -1; }
    static void Close(Handle handle);
};

// A file open for appending: every write goes to the end of the file as it is at that
// moment, in one piece, so that several processes (and several objects) can write one
// file at once without overwriting each other. Other processes may read, write, rename
// and delete it while it is open. Writes are unbuffered.
class WritableFile {
  public:
    enum class Mode {
        Truncate,  // an existing file is emptied
        Append     // an existing file is kept, writes go to its end
    };

    WritableFile() = default;
    WritableFile(WritableFile&&) = default;
    WritableFile& operator=(WritableFile&&) = default;

    // Creates the file when missing. Fails when a file is already open.
    bool Open(std::string_view name, Mode mode);
    bool IsOpen() const { return m_handle.IsValid(); }
    // Writes all `size` bytes at the end of the file; false when any could not be
    // written (the system error says why, `written` how many were).
    bool Write(const char* data, size_t size, size_t& written);
    bool Write(const char* data, size_t size) {
        size_t written;
        return Write(data, size, written);
    }
    // The current length of the open file in bytes, whoever wrote them.
    bool Length(uint64_t& length) const;
    // Whether `name` still names the open file: false when the file was deleted, or
    // the name now names another file or nothing (or cannot be asked).
    bool IsNamed(std::string_view name) const;
    void Close() { m_handle.Reset(); }

  private:
    UniqueHandle<FileHandleTraits> m_handle;
};

// Whether something (file, directory, link...) has this name.
bool PathExists(std::string_view name);
// Whether `name` is an existing directory. A drive name such as "C:" is a directory
// when the drive exists.
bool DirectoryExists(std::string_view name);
// Creates one directory; its parent must exist. False when it exists already.
bool MakeDirectory(std::string_view name);
// Renames a file or directory. Never replaces an existing `to`: then it fails.
bool RenameFile(std::string_view from, std::string_view to);
// Deletes a file (not a directory).
bool RemoveFile(std::string_view name);

}  // namespace platform
