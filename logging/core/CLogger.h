// A named logging category: a threshold, an additivity flag, a start time and the
// appenders its events go to. The logger does not own its appenders.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logging/core/Level.h"
#include "logging/core/Text.h"

namespace scrivlog {

class CAppenderSkeleton;

class CLogger {
  public:
    // Empty name, Info, additive.
    CLogger();
    CLogger(std::string_view name, Level threshold, bool additivity);
    // Threshold, additivity and appender list copied from `templateLogger`.
    CLogger(std::string_view name, const CLogger& templateLogger);
    CLogger(const CLogger&) = delete;
    CLogger& operator=(const CLogger&) = delete;
    virtual ~CLogger();

    // Sets the three and restarts the elapsed-time clock.
    void Init(std::string_view name, Level threshold, bool additivity);
    void SetName(std::string_view name) { m_name = name; }
    void SetThreshold(Level level) { Threshold = level; }
    bool IsNamed(std::string_view name) const { return EqualsIgnoreCase(m_name, name); }
    bool AddAppender(CAppenderSkeleton* appender);

    // Builds one event and hands it to every active appender whose threshold and ours
    // pass (or at Force and above, to every active appender). Always true.
    bool Log(Level level, const char* text);
    // printf-style; messages are cut at 65,535 characters.
    bool LogDebug(const char* format, ...) SCRIVLOG_PRINTF(2, 3);
    bool LogError(const char* format, ...) SCRIVLOG_PRINTF(2, 3);

    const std::string& GetName() const { return m_name; }
    const std::vector<CAppenderSkeleton*>& GetAppenders() const { return m_appenders; }

    uint32_t StartTicks = 0;
    Level Threshold = Levels::Info;
    bool Additivity = true;  // read by the configurator, not by the logger

  private:
    // Whether Log(level, ...) would reach at least one appender.
    bool WouldDeliver(Level level) const;
    // Builds the event and hands it to every appender that takes it; the callers have
    // checked WouldDeliver.
    void Deliver(Level level, std::string_view text);
    void LogFormatted(Level level, const char* format, va_list arguments);

    std::string m_name;
    std::vector<CAppenderSkeleton*> m_appenders;
};

}  // namespace scrivlog
