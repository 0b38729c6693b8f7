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

void CRollingFileAppender::RecordWritten() {
    if (m_fileLength >= MaxFileSize)
        RollOver();
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
    std::string ignored;
    if (MaxBackupIndex <= 0) {  // no backups: the file simply starts again
        Close(ignored);
        return OpenFile(OpenMode::Truncate, ignored);
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
    // in it is lost.
    if (!platform::RenameFile(File, BackupName(1)))
        return IsFileOpen();
    Close(ignored);  // the footer goes into the backup
    return OpenFile(OpenMode::Truncate, ignored);
}

}  // namespace scrivlog
