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
    } catch (...) {
        error = "out of memory";
        return false;
    }
    return CFileAppender::Open(error);
}

bool CDailyRollingFileAppender::DoAppend(const CLoggingEvent& event) {
    if (!Opened)
        return false;
    try {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        if (DateTextNow() != CurrentPeriod) {
            RollOver();
            CurrentPeriod = FormatCurrentTime(DatePattern);
        }
        CFileAppender::DoAppend(event);
    } catch (...) {
        // logging must never bring its host down
    }
    return true;
}

bool CDailyRollingFileAppender::RollOver() {
    std::string datedName;
    AppendDatedName(datedName, File, CurrentPeriod);
    // Renamed while still open: when the rename fails, the file stays open and in use.
    bool renamed = platform::RenameFile(File, datedName);
    if (!renamed && IsFileOpen())
        return false;
    std::string ignored;
    Close(ignored);
    // Without a rename, what the file holds is kept: it is continued, not emptied.
    return OpenFile(renamed ? OpenMode::Truncate : OpenMode::Append, ignored);
}

}  // namespace scrivlog
