#pragma once
// Writes no text at all, so the appender writes an empty text for every event.

#include "logging/core/CLayoutSkeleton.h"

namespace scrivlog {

class CNullLayout : public CLayoutSkeleton {
  public:
    const char* GetClassName() const override;
    bool Format(const CLoggingEvent& event, std::string& text) override;
};

}  // namespace scrivlog
