// The registry of the library: owns every logger, appender and layout that the
// configuration creates, holds the root logger, finds or creates loggers by dotted
// name, starts and stops all appenders, and keeps the text of the last error.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "logging/core/CAppenderSkeleton.h"
#include "logging/core/CLayoutSkeleton.h"
#include "logging/core/CLogger.h"
#include "logging/core/NameIndex.h"

namespace scrivlog {

class CLogFactory {
  public:
    // The root logger is named "Root": Info, additive.
    CLogFactory();
    CLogFactory(const CLogFactory&) = delete;
    CLogFactory& operator=(const CLogFactory&) = delete;
    // Stops every appender, then deletes the loggers, the owned appenders and the layouts.
    virtual ~CLogFactory();

    // The registered logger of that name, or a new one copied from its nearest
    // registered ancestor (else from the root logger) and registered. Safe when several
    // threads ask at once: each name is created once.
    CLogger* GetLogger(std::string_view name);
    // The registered logger of that name, or null with LastError set. Never the root.
    CLogger* FindLogger(std::string_view name);
    // The existing logger of that name unchanged, or a new one with these values.
    CLogger* CreateLogger(std::string_view name, Level threshold, bool additivity);
    // Registers `logger` (the factory takes ownership) and returns it.
    CLogger* AddLogger(CLogger* logger);
    int GetLoggerCount() const;
    CLogger* GetLoggerAt(int index) const;

    // Registers an appender; the factory deletes it at the end when OwnedByFactory is set.
    void AddAppender(CAppenderSkeleton* appender);
    CAppenderSkeleton* FindAppender(std::string_view name) const;
    // The appender at `index`, or EmptyAppender outside the list.
    CAppenderSkeleton* GetAppenderAt(int index);
    int GetAppenderCount() const;

    // Registers a layout; the factory owns it.
    void AddLayout(CLayoutSkeleton* layout);
    CLayoutSkeleton* GetLayoutAt(int index) const;
    int GetLayoutCount() const;

    // Starts every appender whose AutoStart is set; failures are joined by "\n" in
    // `errors`. True when all succeeded.
    bool StartAllAppenders(std::string& errors);
    // Stops every appender, the same way.
    bool StopAllAppenders(std::string& errors);

    // printf-style into LastError, cut at 65,535 characters.
    void SetLastError(const char* format, ...) SCRIVLOG_PRINTF(2, 3);

    // The name without its last dot-separated component ("a.b.c" gives "a.b").
    static std::string GetParentName(std::string_view name);

    std::string LastError;
    std::string ConfigurationDump;
    CLogger RootLogger;
    CAppenderSkeleton EmptyAppender;

  private:
    CLogger* FindLoggerLocked(std::string_view name) const;
    CLogger* AddLoggerLocked(CLogger* logger);
    bool StartOrStopAll(bool start, std::string& errors);

    // Guards the three lists: GetLogger may create loggers from any thread.
    mutable std::mutex m_mutex;
    std::vector<CLogger*> m_loggers;
    std::vector<CAppenderSkeleton*> m_appenders;
    std::vector<CLayoutSkeleton*> m_layouts;
    NameIndex m_loggerIndex;    // positions in m_loggers
    NameIndex m_appenderIndex;  // positions in m_appenders
};

// The one factory of the process.
extern CLogFactory TheLogFactory;

}  // namespace scrivlog
