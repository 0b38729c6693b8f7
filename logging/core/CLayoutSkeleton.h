// The base of every layout: turns an event into text, and may give a header and a
// footer for the appender to write when it opens and closes. By itself it writes the
// message and a line feed.
#pragma once

#include <string>
#include <string_view>

#include "logging/core/CLoggingEvent.h"

namespace scrivlog {

class CLayoutSkeleton {
  public:
    CLayoutSkeleton() = default;
    CLayoutSkeleton(const CLayoutSkeleton&) = delete;
    CLayoutSkeleton& operator=(const CLayoutSkeleton&) = delete;
    virtual ~CLayoutSkeleton();

    virtual const char* GetClassName() const;
    // True when the layout took the parameter; names ignore ASCII case.
    virtual bool SetParam(std::string_view name, std::string_view value);
    // The parameter's current value; empty for names the layout does not have.
    virtual std::string GetParam(std::string_view name) const;
    // False when there is no header (footer); `text` is then empty.
    virtual bool FormatHeader(std::string& text, std::string_view appenderClassName,
                              std::string_view appenderName);
    virtual bool FormatFooter(std::string& text, std::string_view appenderClassName,
                              std::string_view appenderName);
    // Replaces `text` with the formatted record; false makes the appender write nothing.
    virtual bool Format(const CLoggingEvent& event, std::string& text);
};

}  // namespace scrivlog
