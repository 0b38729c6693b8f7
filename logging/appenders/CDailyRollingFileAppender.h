// A file appender that writes to its configured name (app.log) and, when a record
// arrives and the local time written with DatePattern has changed, renames the file
// after the period that has ended (app.2011-05-03.log) and starts the name afresh.
#pragma once

#include <string>

#include "logging/appenders/CDatedFileAppender.h"

namespace scrivlog {

class CDailyRollingFileAppender : public CDatedFileAppender {
  public:
    using CDatedFileAppender::CDatedFileAppender;
    ~CDailyRollingFileAppender() override;

    const char* GetClassName() const override;
    // Takes the current period, then opens File. Fails, like a File too long, when the
    // dated name would be too long.
    bool Open(std::string& error) override;
    // Rolls over when the period has changed, then writes. True whenever started.
    bool DoAppend(const CLoggingEvent& event) override;

    // Renames the file after CurrentPeriod and starts File afresh, or opens File again
    // when another process has just renamed it. When the rename fails, the file is kept
    // and written on; the next change of period tries again. False when the processes'
    // lock could not be had: then it is tried again a second later.
    bool RollOver();

    // The date text of the period whose records the open file holds.
    std::string CurrentPeriod;
};

}  // namespace scrivlog
