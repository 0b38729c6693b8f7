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

bool CDailyFileAppender::Open(std::string& error) {
    if (!CFileAppender::Open(error))
        return false;
    platform::FileNameLockScope lock(m_nameLock, LockTimeout);
    NoteStarted(FileNameCurrent);
    return true;
}

bool CDailyFileAppender::DoAppend(const CLoggingEvent& event) {
    if (!Opened)
        return false;
    try {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        m_nameNow.clear();
        if (!File.empty())
            AppendDatedName(m_nameNow, File, DateTextNow());
        if (m_nameNow != FileNameCurrent && RetryDue())
            SwitchFile();
        CFileAppender::DoAppend(event);
    } catch (...) {
        // logging must never bring its host down
    }
    return true;
}

void CDailyFileAppender::SwitchFile() {
    std::string name = BuildFileName();
    platform::FileNameLockScope lock(m_nameLock, LockTimeout);
    // The first process to reach the new name empties what an earlier period left
    // there; the others continue what it started.
    if (lock.Held() && SwitchTo(name, WasStarted(name) ? OpenMode::Append : OpenMode::Truncate, true)) {
        NoteStarted(name);
        RetryDone();
    } else {
        RetryLater();  // the old file is written on meanwhile
    }
}

// The note of the processes' lock holds the names started last, newest first, one a
// line: enough to tell a file started in this period from one left by a period whose
// text repeats (the same hour yesterday), even by a process that read the time just
// before a few further changes.
bool CDailyFileAppender::WasStarted(const std::string& name) const {
    std::string note = m_nameLock.Note();
    for (size_t at = 0; at < note.size();) {
        size_t end = note.find('\n', at);
        if (end == std::string::npos)
            end = note.size();
        if (std::string_view(note).substr(at, end - at) == name)
            return true;
        at = end + 1;
    }
    return false;
}

void CDailyFileAppender::NoteStarted(const std::string& name) {
    std::string note = name;
    std::string earlier = m_nameLock.Note();
    size_t at = 0;
    for (int kept = 0; kept < RememberedNames - 1 && at < earlier.size(); ++kept) {
        size_t end = earlier.find('\n', at);
        if (end == std::string::npos)
            end = earlier.size();
        if (std::string_view(earlier).substr(at, end - at) != name)
            note.append("\n").append(earlier, at, end - at);
        at = end + 1;
    }
    m_nameLock.SetNote(note);
}

}  // namespace scrivlog
