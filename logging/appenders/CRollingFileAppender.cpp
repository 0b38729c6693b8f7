#include "logging/appenders/CRollingFileAppender.h"

#include <cstdio>

#include "logging/core/SystemUtilities.h"
#include "logging/core/Text.h"

namespace scrivlog {

CRollingFileAppender::~CRollingFileAppender() {
    CloseQuietly();
}

const char* CRollingFileAppender::GetClassName() const {
    return "RollingFileAppender";
}

bool CRollingFileAppender::SetParam(std::string_view name, std::string_view value) {
    if (CFileAppender::SetParam(name, value))
        return true;
    if (EqualsIgnoreCase(name, "MaxFileSize")) {
        MaxFileSize = static_cast<uint64_t>(static_cast<int64_t>(ParseInt(value)));
        return true;
    }
    if (EqualsIgnoreCase(name, "MaxBackupIndex")) {
        MaxBackupIndex = ParseInt(value);
        return true;
    }
    return false;
}

std::string CRollingFileAppender::GetParam(std::string_view name) const {
    std::string answer = CFileAppender::GetParam(name);
    if (!answer.empty())
        return answer;
    char number[16];
    if (EqualsIgnoreCase(name, "MaxFileSize")) {
        std::snprintf(number, sizeof number, "%u",
                      static_cast<unsigned>(MaxFileSize & 0xFFFFFFFFu));
        return number;
    }
    if (EqualsIgnoreCase(name, "MaxBackupIndex")) {
        std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(MaxBackupIndex));
        return number;
    }
    return {};
}

bool CRollingFileAppender::Open(std::string& error) {
    // A backup name that cannot be formed would keep the file from ever rolling.
    if (MaxBackupIndex > 0 && File.size() <= platform::MaxPathLength) {
        std::string longest = BackupName(MaxBackupIndex);
        if (longest.size() > platform::MaxPathLength) {
            error = NameTooLongText(longest);
            return false;
        }
    }
    return CFileAppender::Open(error);
}

void CRollingFileAppender::RecordWritten() {
    // The file can have grown at most by what all processes writing File wrote since
    // its length was read: only when that could reach the limit is the length on
    // disk, with what other processes wrote, read again.
    if (m_lengthRead + (m_writtenByAll - m_writtenAtRead) < MaxFileSize)
        return;
    uint64_t length = 0;
    if (!FileLength(length))
        return;
    m_lengthRead = length;
    m_writtenAtRead = m_writtenByAll;
    if (length >= MaxFileSize && RetryDue())
        RollOver();
}

void CRollingFileAppender::FileChanged() {
    // The next record reads the new file's length.
    m_lengthRead = MaxFileSize;
}

std::string CRollingFileAppender::BackupName(int32_t index) const {
    PathParts parts = SplitPath(File);
    std::string name(parts.drive);
    name += parts.directory;
    name += parts.baseName;
    name += '.';
    name += std::to_string(index);
    name += parts.extension;
    return name;
}

bool CRollingFileAppender::RollOver() {
    // The processes writing File roll it one at a time. One that finds, once it holds
    // the lock, that File no longer names its file was beaten to it by another and just
    // opens the new file.
    platform::FileNameLockScope lock(m_nameLock, LockTimeout);
    if (!lock.Held()) {
        RetryLater();
        return IsFileOpen();
    }
    if (!FileIsNamed(File))
        return Reopened(SwitchTo(File, OpenMode::Append, false));
    if (MaxBackupIndex <= 0) {  // no backups: the file simply starts again
        std::string footer;
        if (GetFooter(footer))
            Write(footer, nullptr);
        return Reopened(SwitchTo(File, OpenMode::Truncate, false));
    }
    // Room is made for the new backup 1 only when it is taken: after a roll-over whose
    // rename failed, the backups have already moved and must not move (and lose the
    // oldest) again.
    if (platform::PathExists(BackupName(1))) {
        platform::RemoveFile(BackupName(MaxBackupIndex));
        for (int32_t i = MaxBackupIndex; i >= 2; --i)
            platform::RenameFile(BackupName(i - 1), BackupName(i));
    }
    // The file is renamed while still open: if that fails, it stays open and nothing
    // in it is lost. The footer goes into the backup, after the rename.
    if (!platform::RenameFile(File, BackupName(1)))
        return Reopened(false);
    return Reopened(SwitchTo(File, OpenMode::Append, true));
}

bool CRollingFileAppender::Reopened(bool success) {
    // When File could not be opened, the renamed file stays in use; the next attempt,
    // a second later, finds File moved and opens it.
    if (success)
        RetryDone();
    else
        RetryLater();
    return IsFileOpen();
}

}  // namespace scrivlog
