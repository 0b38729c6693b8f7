#pragma once
// The message and "\r\n".

#include "logging/core/CLayoutSkeleton.h"

namespace scrivlog {

class CBasicLayout : public CLayoutSkeleton {
  public:
    const char* GetClassName() const override;
    bool Format(const CLoggingEvent& event, std::string& text) override;
};

}  // namespace scrivlog
