#pragma once
// The level name, " - ", the message and "\r\n".

#include "logging/core/CLayoutSkeleton.h"

namespace scrivlog {

class CSimpleLayout : public CLayoutSkeleton {
  public:
    const char* GetClassName() const override;
    bool Format(const CLoggingEvent& event, std::string& text) override;
};

}  // namespace scrivlog
