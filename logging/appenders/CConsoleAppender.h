// Writes each formatted record to the process's standard output, unchanged and with
// the stream's own buffering.
#pragma once

#include "logging/core/CAppenderSkeleton.h"

namespace scrivlog {

class CConsoleAppender : public CAppenderSkeleton {
  public:
    using CAppenderSkeleton::CAppenderSkeleton;

    const char* GetClassName() const override;
    void Write(std::string_view text, const CLoggingEvent* event) override;
    bool DoAppend(const CLoggingEvent& event) override;
};

}  // namespace scrivlog
