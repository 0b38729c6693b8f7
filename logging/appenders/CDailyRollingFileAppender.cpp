#include "logging/appenders/CDailyRollingFileAppender.h"

#include "logging/core/Text.h"
#include "logging/core/TimeFormat.h"

namespace scrivlog {

CDailyRollingFileAppender::~CDailyRollingFileAppender() {
    CloseQuietly();
}

const char* CDailyRollingFileAppender::GetClassName() const {
    return "DailyRollingFileAppender";
}

bool CDailyRollingFileAppender::Open(std::string& error) {
    try {
        CurrentPeriod = FormatCurrentTime(DatePattern);
        // A dated name that cannot be formed would keep the file from ever rolling.
        std::string datedName;
        AppendDatedName(datedName, File, CurrentPeriod);
        if (File.size() <= platform::MaxPathLength && datedName.size() > platform::MaxPathLength) {
            error = NameTooLongText(datedName);
            return false;
        }
    } catch (...) {
        error = "out of memory";
        return false;
    }
    if (!CFileAppender::Open(error))
        return false;
    // Read again once the file is open: another process may have rolled File over in
    // between, and a period read before that could date this file before the last backup.
    try {
        CurrentPeriod = FormatCurrentTime(DatePattern);
    } catch (...) {
        // the period read before stays
    }
    return true;
}

bool CDailyRollingFileAppender::DoAppend(const CLoggingEvent& event) {
    if (!Opened)
        return false;
    try {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        if (DateTextNow() != CurrentPeriod && RetryDue() && RollOver())
            CurrentPeriod = FormatCurrentTime(DatePattern);
        CFileAppender::DoAppend(event);
    } catch (...) {
        // logging must never bring its host down
    }
    return true;
}

bool CDailyRollingFileAppender::RollOver() {
    // The processes writing File roll it one at a time; one that finds File already
    // renamed by another just opens the new file.
    platform::FileNameLockScope lock(m_nameLock, LockTimeout);
    if (!lock.Held()) {
        RetryLater();  // the period's file is written on meanwhile
        return false;
    }
    RetryDone();
    if (!FileIsNamed(File)) {
        SwitchTo(File, OpenMode::Append, false);
        return true;
    }
    std::string datedName;
    AppendDatedName(datedName, File, CurrentPeriod);
    // Renamed while still open: when the rename fails (the dated name is taken), the
    // file stays open and in use until the next change of period. When File cannot be
    // opened afresh, the renamed file is written on until the name can be opened again.
    if (platform::RenameFile(File, datedName))
        SwitchTo(File, OpenMode::Append, true);
    return true;
}

}  // namespace scrivlog
