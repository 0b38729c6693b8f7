// A file appender that keeps its file below a size: when a written record brings the
// file to MaxFileSize bytes or more, the file becomes backup 1 (app.log -> app.1.log),
// older backups move one number up, the oldest is deleted, and a fresh file is started.
#pragma once

#include <cstdint>

#include "logging/appenders/CFileAppender.h"

namespace scrivlog {

class CRollingFileAppender : public CFileAppender {
  public:
    using CFileAppender::CFileAppender;
    ~CRollingFileAppender() override;

    const char* GetClassName() const override;
    // "MaxFileSize" (bytes, read as a signed 32-bit number: "1MB" is 1, negative
    // values never roll) and "MaxBackupIndex".
    bool SetParam(std::string_view name, std::string_view value) override;
    std::string GetParam(std::string_view name) const override;
    // Fails, like a File too long, when the name of the last backup would be too long.
    bool Open(std::string& error) override;

    // Moves the backups up and starts a fresh file, or opens File again when another
    // process has just rolled it. When the current file cannot become backup 1 it stays
    // open and in use, and the next roll-over, a second later at the earliest, tries
    // again.
    bool RollOver();
    // The name of backup `index`: app.log gives app.<index>.log, in the same directory.
    std::string BackupName(int32_t index) const;

    uint64_t MaxFileSize = 10240000;
    int32_t MaxBackupIndex = 7;

  protected:
    // Rolls over when the record just written brought the file to MaxFileSize. The
    // lock is held from the write to here, so the file exceeds the limit by at most
    // one record of each process writing it.
    void RecordWritten() override;
    void FileChanged() override;

  private:
    uint64_t m_lengthRead = 0;     // the file's length when it was last read
    uint64_t m_writtenAtRead = 0;  // m_writtenByAll at that moment
    // Records whether the roll-over got a file of the name open; answers IsFileOpen.
    bool Reopened(bool success);
};

}  // namespace scrivlog
