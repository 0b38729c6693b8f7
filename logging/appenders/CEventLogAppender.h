// Reports each formatted record as an entry of the system's event log (syslog on
// POSIX), under an event source named after the appender.
#pragma once

#include "logging/core/CAppenderSkeleton.h"
#include "platform/SystemLog.h"

namespace scrivlog {

class CEventLogAppender : public CAppenderSkeleton {
  public:
    using CAppenderSkeleton::CAppenderSkeleton;
    // Closes the appender (footer and deregistration) when the source is still held.
    ~CEventLogAppender() override;

    const char* GetClassName() const override;
    // Registers the event source, then writes the header; a second Open does nothing.
    bool Open(std::string& error) override;
    // Writes the footer and deregisters the source.
    bool Close(std::string& error) override;
    // One entry: category 100, event identifier 0, the text as its only string.
    void Write(std::string_view text, const CLoggingEvent* event) override;
    bool DoAppend(const CLoggingEvent& event) override;

    // Errors at ERROR and more severe, warnings above it and below INFO, information
    // from INFO on and for headers and footers (no event).
    static platform::SystemLogType EventType(const CLoggingEvent* event);

    static constexpr uint16_t Category = 100;
    static constexpr uint32_t EventId = 0;

  private:
    platform::SystemLogSource m_source = nullptr;
};

}  // namespace scrivlog
