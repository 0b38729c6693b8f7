// Passes each formatted record to the debugger output of the process (standard error
// on POSIX), unchanged.
#pragma once

#include "logging/core/CAppenderSkeleton.h"

namespace scrivlog {

class CWin32DebugAppender : public CAppenderSkeleton {
  public:
    using CAppenderSkeleton::CAppenderSkeleton;

    const char* GetClassName() const override;
    void Write(std::string_view text, const CLoggingEvent* event) override;
    bool DoAppend(const CLoggingEvent& event) override;
};

}  // namespace scrivlog
