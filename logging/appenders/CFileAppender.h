// Writes each formatted record to one disk file. Owns the file handling of the file
// family: expanding environment references in the name, creating missing directories,
// opening in truncate or append mode, the layout's header and footer, and bounded
// writes. The rolling and dated appenders change only which name is opened and when.
//
// Any number of processes may write one file: every record is appended whole at the
// file's end, and whatever changes which file a name means (a roll-over or switch by
// another process, a deletion, a replacement) is done under a lock that the processes
// share, keyed by File. Once a second at most, before a record, the appender checks
// that its name still means the file it holds, and reopens the name when it does not.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "logging/core/CAppenderSkeleton.h"
#include "platform/FileNameLock.h"
#include "platform/Files.h"

namespace scrivlog {

class CFileAppender : public CAppenderSkeleton {
  public:
    using CAppenderSkeleton::CAppenderSkeleton;
    // Closes a file still open, footer included.
    ~CFileAppender() override;

    const char* GetClassName() const override;
    // "File" (environment references expanded), "Append", "HeaderOnlyOnCreation".
    bool SetParam(std::string_view name, std::string_view value) override;
    // The three, and the read-only "FileCurrent" / "FileNameCurrent".
    std::string GetParam(std::string_view name) const override;
    // Opens BuildFileName() in append mode when Append is set, else truncated.
    bool Open(std::string& error) override;
    // Writes the footer and closes; false when no file is open.
    bool Close(std::string& error) override;
    // Writes at most MaxRecordLength characters of `text`.
    void Write(std::string_view text, const CLoggingEvent* event) override;
    // True when the record reached the file.
    bool DoAppend(const CLoggingEvent& event) override;
    // The name of the file to open now: here File itself.
    virtual std::string BuildFileName();

    enum class OpenMode { Truncate, Append };
    // Opens BuildFileName(), creating missing directories, and writes the header.
    bool OpenFile(OpenMode mode, std::string& error);
    bool IsFileOpen() const { return m_file.IsOpen(); }

    // Records that could not be written since the last successful Open, and why the
    // last one failed ("" when none failed).
    uint64_t WriteFailures() const { return m_writeFailures; }
    const std::string& LastWriteError() const { return m_lastWriteError; }

    // The value with $NAME, ${NAME} and %NAME% replaced by the environment variable's
    // value (nothing for an undefined one); "%%" is one percent sign.
    static std::string ExpandEnvironmentText(std::string_view value);

    // A file name cut the way the Windows path splitter cuts it (either slash separates
    // directories): "C:" + "\logs\" + "app" + ".log".
    struct PathParts {
        std::string_view drive, directory, baseName, extension;
    };
    static PathParts SplitPath(std::string_view name);
    // Whether `path` is an existing directory (a terminal-services client share counts
    // as one without asking).
    static bool DirectoryExists(std::string_view path);
    // Creates every missing directory of `path`, outermost first.
    static bool CreateDirectoryPath(std::string_view path, std::string& error);
    // Appends to `out` the name `file` with `dateText` between its base name and its
    // extension: app.log and ".2011-05-04" give app.2011-05-04.log. A name too long for
    // the file services is given unchanged, so that opening it fails.
    static void AppendDatedName(std::string& out, std::string_view file, std::string_view dateText);

    static constexpr size_t MaxRecordLength = 65535;
    // How long to wait for another process's roll-over or switch, and how often a
    // failed one (and the check of the name) is tried at most, in milliseconds.
    static constexpr uint32_t LockTimeout = 500;
    static constexpr uint32_t RetryInterval = 1000;

    bool Append = true;
    std::string File;
    bool HeaderOnlyOnCreation = false;
    std::string FileNameCurrent;

  protected:
    // Called under the lock right after a record reached the file, before another
    // record can be written; the rolling appender tests the size here.
    virtual void RecordWritten() {}
    // Called when another file is opened for writing.
    virtual void FileChanged() {}
    // Closes without a caller who wants the answer; for the destructors.
    void CloseQuietly();
    // Writes `text` (already bounded) to the open file; false when it did not get there.
    bool WriteBounded(std::string_view text);
    // The open file's length, with what other processes wrote.
    bool FileLength(uint64_t& length) const { return m_file.Length(length); }
    // Whether `name` still means the open file.
    bool FileIsNamed(std::string_view name) const { return m_file.IsNamed(name); }
    // Opens `name` and moves writing there: the footer goes into the old file when
    // `footer` is set, the header into the new one when it is empty. When `name`
    // cannot be opened, the current file stays in use and the answer is false.
    bool SwitchTo(const std::string& name, OpenMode mode, bool footer);
    // The error text of a name too long for the file services.
    static std::string NameTooLongText(std::string_view name);

    // Whether a roll-over or switch may be tried now: at once, or, after one failed,
    // a second later. RetryLater records a failed one, RetryDone a successful one.
    bool RetryDue() const;
    void RetryLater();
    void RetryDone() { m_retryPending = false; }

    // Shared with the other processes writing File; bound at every open.
    platform::FileNameLock m_nameLock;
    // The bytes that all processes writing File have written, as this one last saw
    // the count after one of its writes.
    uint64_t m_writtenByAll = 0;

  private:
    // Reopens FileNameCurrent when it no longer means the open file, or when an earlier
    // attempt left no file open; once a second at most.
    void CheckName();
    // Creates the missing directories of `name` and opens it into `file`.
    bool OpenNamed(const std::string& name, OpenMode mode, platform::WritableFile& file,
                   std::string& error);

    platform::WritableFile m_file;
    uint64_t m_writeFailures = 0;
    std::string m_lastWriteError;
    bool m_recordCut = false;      // a failed write left part of a record in the file
    bool m_reopenPending = false;  // the file was let go so that its name can be reopened
    uint32_t m_nameCheckedAt = 0;
    uint32_t m_retryAt = 0;
    bool m_retryPending = false;
};

}  // namespace scrivlog
