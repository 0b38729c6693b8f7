#include "logging/appenders/CDailyFileAppender.h"

#include <algorithm>
#include <cstdlib>

#include "logging/core/Text.h"
#include "logging/core/TimeFormat.h"
#include "platform/CivilDate.h"
#include "platform/Clock.h"

namespace scrivlog {

CDailyFileAppender::~CDailyFileAppender() {
    CloseQuietly();
}

const char* CDailyFileAppender::GetClassName() const {
    return "DailyFileAppender";
}

std::string CDailyFileAppender::BuildFileName() {
    // The name and the time it is noted with come from one reading of the clock.
    platform::DateTime now = platform::LocalTime();
    m_nameTime = platform::DaysFromCivil(now.Year, now.Month, now.Day) * 86400000 +
                 ((now.Hour * 60 + now.Minute) * 60 + now.Second) * 1000LL + now.Millisecond;
    std::string name;
    if (File.empty())
        return name;
    std::string dateText;
    AppendFormattedTime(dateText, now, DatePattern);
    AppendDatedName(name, File, dateText);
    return name;
}

namespace {

// Calls `visit`(time, name, line) for each line "<time> <name>" of `note`.
template <typename Visit>
void ForEachStarted(const std::string& note, Visit visit) {
    for (size_t at = 0; at < note.size();) {
        size_t end = std::min(note.find('\n', at), note.size());
        size_t space = note.find(' ', at);
        if (space < end)
            visit(std::strtoll(note.c_str() + at, nullptr, 10),
                  std::string_view(note).substr(space + 1, end - space - 1),
                  std::string_view(note).substr(at, end - at));
        at = end + 1;
    }
}

}  // namespace

bool CDailyFileAppender::Open(std::string& error) {
    if (!CFileAppender::Open(error))
        return false;
    platform::FileNameLockScope lock(m_nameLock, LockTimeout);
    NoteStarted(FileNameCurrent, m_nameTime);
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
    int64_t time = m_nameTime;
    platform::FileNameLockScope lock(m_nameLock, LockTimeout);
    // The first process to reach the new name empties what an earlier period left
    // there; the others continue what it started.
    if (lock.Held() &&
        SwitchTo(name, WasStarted(name, time) ? OpenMode::Append : OpenMode::Truncate, true)) {
        NoteStarted(name, time);
        RetryDone();
    } else {
        RetryLater();  // the old file is written on meanwhile
    }
}

// The note of the processes' lock holds the last names started, newest first, one a
// line after the local time from which the name was made. A name started since this
// process started its own file was started in this period; any other file of that name
// is left from a period whose text repeats, such as the same hour yesterday. A process
// that reads the time late (one kept waiting by a busy machine) can find a name noted
// from a later time than its own: the others have passed its period already, and the
// note may have let its name go, so the file is continued, never emptied.
bool CDailyFileAppender::WasStarted(const std::string& name, int64_t time) const {
    bool started = false;
    ForEachStarted(
        m_nameLock.Note(), [&](int64_t noteTime, std::string_view noted, std::string_view) {
            started = started || (noted == name && noteTime >= m_startedAt) || noteTime > time;
        });
    return started;
}

void CDailyFileAppender::NoteStarted(const std::string& name, int64_t time) {
    m_startedAt = time;
    std::string note = std::to_string(m_startedAt) + " " + name;
    int kept = 1;
    ForEachStarted(m_nameLock.Note(), [&](int64_t, std::string_view noted, std::string_view line) {
        if (noted != name && kept++ < RememberedNames)
            note.append("\n").append(line);
    });
    m_nameLock.SetNote(note);
}

}  // namespace scrivlog
