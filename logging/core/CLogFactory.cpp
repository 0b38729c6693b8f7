#include "logging/core/CLogFactory.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <memory>

namespace scrivlog {
namespace {
constexpr size_t MaxLastErrorLength = 65535;
}

CLogFactory TheLogFactory;

CLogFactory::CLogFactory() {
    RootLogger.SetName("Root");
}

CLogFactory::~CLogFactory() {
    try {
        std::string ignored;
        StopAllAppenders(ignored);
        for (CLogger* logger : m_loggers)
            delete logger;
        for (CAppenderSkeleton* appender : m_appenders) {
            appender->Stop(ignored);
            if (appender->OwnedByFactory)
                delete appender;
        }
        // Appenders go before the layouts they point to.
        for (CLayoutSkeleton* layout : m_layouts)
            delete layout;
    } catch (...) {
        // Nothing may escape a destructor that runs at module unload.
    }
}

CLogger* CLogFactory::GetLogger(std::string_view name) {
    std::lock_guard<std::mutex> guard(m_mutex);
    std::string search(name);
    for (;;) {
        if (CLogger* found = FindLoggerLocked(search)) {
            if (EqualsIgnoreCase(search, name))
                return found;
            return AddLoggerLocked(new CLogger(name, *found));
        }
        search = GetParentName(search);
        if (search.empty())
            return AddLoggerLocked(new CLogger(name, RootLogger));
    }
}

CLogger* CLogFactory::FindLogger(std::string_view name) {
    CLogger* found;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        found = FindLoggerLocked(name);
    }
    if (!found)
        SetLastError("Logger '%.*s' not found in factory", static_cast<int>(name.size()),
                     name.data());
    return found;
}

CLogger* CLogFactory::CreateLogger(std::string_view name, Level threshold, bool additivity) {
    if (CLogger* existing = FindLogger(name))
        return existing;
    return AddLogger(new CLogger(name, threshold, additivity));
}

CLogger* CLogFactory::AddLogger(CLogger* logger) {
    std::lock_guard<std::mutex> guard(m_mutex);
    return AddLoggerLocked(logger);
}

int CLogFactory::GetLoggerCount() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return static_cast<int>(m_loggers.size());
}

CLogger* CLogFactory::GetLoggerAt(int index) const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return index >= 0 && static_cast<size_t>(index) < m_loggers.size() ? m_loggers[index] : nullptr;
}

CLogger* CLogFactory::FindLoggerLocked(std::string_view name) const {
    size_t position = m_loggerIndex.Find(name);
    return position < m_loggers.size() ? m_loggers[position] : nullptr;
}

CLogger* CLogFactory::AddLoggerLocked(CLogger* logger) {
    // Take ownership even if growing the list fails.
    std::unique_ptr<CLogger> owned(logger);
    m_loggers.push_back(logger);
    owned.release();
    m_loggerIndex.Add(logger->GetName(), m_loggers.size() - 1);
    return logger;
}

void CLogFactory::AddAppender(CAppenderSkeleton* appender) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_appenders.push_back(appender);
    m_appenderIndex.Add(appender->GetName(), m_appenders.size() - 1);
}

CAppenderSkeleton* CLogFactory::FindAppender(std::string_view name) const {
    std::lock_guard<std::mutex> guard(m_mutex);
    size_t position = m_appenderIndex.Find(name);
    return position < m_appenders.size() ? m_appenders[position] : nullptr;
}

CAppenderSkeleton* CLogFactory::GetAppenderAt(int index) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (index < 0 || static_cast<size_t>(index) >= m_appenders.size())
        return &EmptyAppender;
    return m_appenders[index];
}

int CLogFactory::GetAppenderCount() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return static_cast<int>(m_appenders.size());
}

void CLogFactory::AddLayout(CLayoutSkeleton* layout) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_layouts.push_back(layout);
}

CLayoutSkeleton* CLogFactory::GetLayoutAt(int index) const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return index >= 0 && static_cast<size_t>(index) < m_layouts.size() ? m_layouts[index] : nullptr;
}

int CLogFactory::GetLayoutCount() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return static_cast<int>(m_layouts.size());
}

bool CLogFactory::StartAllAppenders(std::string& errors) {
    return StartOrStopAll(true, errors);
}

bool CLogFactory::StopAllAppenders(std::string& errors) {
    return StartOrStopAll(false, errors);
}

bool CLogFactory::StartOrStopAll(bool start, std::string& errors) {
    std::vector<CAppenderSkeleton*> appenders;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        appenders = m_appenders;
    }
    errors.clear();
    for (CAppenderSkeleton* appender : appenders) {
        if (start && !appender->AutoStart)
            continue;
        std::string error;
        bool succeeded = false;
        try {
            succeeded = start ? appender->Start(error) : appender->Stop(error);
        } catch (...) {
        }
        if (succeeded)
            continue;
        if (!errors.empty())
            errors += '\n';
        errors += start ? "Unable to start appender '" : "Unable to stop appender '";
        errors += appender->GetName();
        errors += "' (";
        errors += error;
        errors += ')';
    }
    return errors.empty();
}

void CLogFactory::SetLastError(const char* format, ...) {
    LastError.clear();
    if (!format)
        return;
    // Measured first, so that the text takes only the room it needs.
    va_list arguments, again;
    va_start(arguments, format);
    va_copy(again, arguments);
    int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    if (length > 0) {
        LastError.resize(std::min(static_cast<size_t>(length), MaxLastErrorLength));
        std::vsnprintf(LastError.data(), LastError.size() + 1, format, again);
    }
    va_end(again);
}

std::string CLogFactory::GetParentName(std::string_view name) {
    size_t lastDot = name.rfind('.');
    if (lastDot == std::string_view::npos)
        return {};
    return std::string(name.substr(0, lastDot));
}

}  // namespace scrivlog
