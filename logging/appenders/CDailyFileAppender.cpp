#include "logging/appenders/CDailyFileAppender.h"

#include "logging/core/Text.h"
#include "logging/core/TimeFormat.h"

namespace scrivlog {

CDailyFileAppender::~CDailyFileAppender() {
    CloseQuietly();
}

const char* CDailyFileAppender::GetClassName() const {
    return "DailyFileAppender";
}

std::string CDailyFileAppender::BuildFileName() {
    std::string name;
    if (File.empty())
        return name;
    AppendDatedName(name, File, FormatCurrentTime(DatePattern));
    return name;
}

bool CDailyFileAppender::DoAppend(const CLoggingEvent& event) {
    if (!Opened)
        return false;
    try {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        m_nameNow.clear();
        if (!File.empty())
            AppendDatedName(m_nameNow, File, DateTextNow());
        if (m_nameNow != FileNameCurrent)
            SwitchFile();
        CFileAppender::DoAppend(event);
    } catch (...) {
        // logging must never bring its host down
    }
    return true;
}

void CDailyFileAppender::SwitchFile() {
    std::string ignored;
    Close(ignored);
    OpenFile(OpenMode::Truncate, ignored);
}

}  // namespace scrivlog
