// A console appender that behaves like a slow output resource: every record takes
// TimeOut milliseconds, half before it is printed and half after, while the
// appender's lock is held.
#pragma once

#include "logging/appenders/CConsoleAppender.h"

namespace scrivlog {

class CSlowResAppender : public CConsoleAppender {
  public:
    using CConsoleAppender::CConsoleAppender;

    const char* GetClassName() const override;
    // "TimeOut" after the skeleton's parameters.
    bool SetParam(std::string_view name, std::string_view value) override;
    // "TimeOut" as an unsigned number ("%u").
    std::string GetParam(std::string_view name) const override;
    // Pauses TimeOut / 2, prints as the console appender does, pauses TimeOut / 2 again.
    // Answers true once opened, also when the record was filtered.
    bool DoAppend(const CLoggingEvent& event) override;

    // Milliseconds per record; 0 and 1 give no pause, nor does a negative value.
    int32_t TimeOut = 100;
};

}  // namespace scrivlog
