// A file appender that always writes to a dated file (app.2011-05-04.log): the date
// text, the local time written with DatePattern, sits between the base name and the
// extension. When a record arrives and the text has changed, the file is closed and the
// file of the new name is started.
#pragma once

#include <cstdint>
#include <string>

#include "logging/appenders/CDatedFileAppender.h"

namespace scrivlog {

class CDailyFileAppender : public CDatedFileAppender {
  public:
    using CDatedFileAppender::CDatedFileAppender;
    ~CDailyFileAppender() override;

    const char* GetClassName() const override;
    // Opens the dated name for now, and tells the other processes it was started.
    bool Open(std::string& error) override;
    // Switches to the file of the current date text when that has changed, then writes.
    // True whenever the appender is started.
    bool DoAppend(const CLoggingEvent& event) override;
    // The dated name for the date text now; empty when File is.
    std::string BuildFileName() override;

    // Closes the file and starts the file of the current name: emptied, unless
    // another process started it already. When the new file cannot be opened, the old
    // one is written on and the switch is tried again a second later.
    void SwitchFile();

  private:
    static constexpr int RememberedNames = 4;
    // Whether a process writing File started `name`, made from the local time `time`,
    // in this period; NoteStarted tells them that this one started it.
    bool WasStarted(const std::string& name, int64_t time) const;
    void NoteStarted(const std::string& name, int64_t time);

    std::string m_nameNow;    // the name for each record, kept for its capacity
    int64_t m_nameTime = 0;   // the local time (ms since 1970) of the last BuildFileName
    int64_t m_startedAt = 0;  // the local time this file's name was made from
};

}  // namespace scrivlog
