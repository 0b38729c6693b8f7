#include "logging/core/CLogger.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "logging/core/CAppenderSkeleton.h"
#include "logging/core/CLoggingEvent.h"
#include "platform/Clock.h"
#include "platform/Environment.h"

namespace scrivlog {
namespace {

// The printf buffer of the front ends: 65,535 characters and the terminating zero.
constexpr size_t FormatBufferSize = 65536;

bool Passes(Level level, Level loggerThreshold, const CAppenderSkeleton& appender) {
    return appender.Active &&
           ((level <= loggerThreshold && level <= appender.Threshold) || level >= Levels::Force);
}

void SetDecimal(EventText& text, uint32_t value) {
    char digits[11];
    char* end = digits + sizeof digits;
    char* p = end;
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    text.assign(std::string_view(p, static_cast<size_t>(end - p)));
}

}  // namespace

CLogger::CLogger() {
    Init({}, Levels::Info, true);
}

CLogger::CLogger(std::string_view name, Level threshold, bool additivity) {
    Init(name, threshold, additivity);
}

CLogger::CLogger(std::string_view name, const CLogger& templateLogger)
    : m_appenders(templateLogger.m_appenders) {
    Init(name, templateLogger.Threshold, templateLogger.Additivity);
}

CLogger::~CLogger() = default;

void CLogger::Init(std::string_view name, Level threshold, bool additivity) {
    m_name = name;
    Threshold = threshold;
    Additivity = additivity;
    StartTicks = platform::TickCount();
}

bool CLogger::AddAppender(CAppenderSkeleton* appender) {
    m_appenders.push_back(appender);
    return true;
}

bool CLogger::WouldDeliver(Level level) const {
    for (const CAppenderSkeleton* appender : m_appenders)
        if (Passes(level, Threshold, *appender))
            return true;
    return false;
}

bool CLogger::Log(Level level, const char* text) {
    // An event that no appender takes has no effect anyone could observe, so it is
    // not built at all.
    if (WouldDeliver(level))
        Deliver(level, text ? text : "");
    return true;
}

void CLogger::Deliver(Level level, std::string_view text) {
    try {
        CLoggingEvent event;
        event.Category = m_name;
        event.Message = text;
        event.Level = level;
        event.ElapsedTime = platform::TickCount() - StartTicks;
        SetDecimal(event.ThreadName, platform::CurrentThreadId());
        for (CAppenderSkeleton* appender : m_appenders) {
            if (!Passes(level, Threshold, *appender))
                continue;
            const char* className = appender->GetClassName();
            event.AppenderClassName = className ? className : "";
            event.AppenderName = appender->GetName();
            try {
                appender->DoAppend(event);
            } catch (...) {
                // A failing appender does not stop delivery to the next one.
            }
        }
    } catch (...) {
        // Logging must never bring its host down.
    }
}

void CLogger::LogFormatted(Level level, const char* format, va_list arguments) {
    if (!format) {
        Deliver(level, {});
        return;
    }
    // A format with no conversion is its own text and "%s" is its argument: both are
    // taken as they stand, cut where printf would cut them, without printf's cost.
    constexpr size_t MaxLength = FormatBufferSize - 1;
    if (!std::strchr(format, '%')) {
        Deliver(level, std::string_view(format, strnlen(format, MaxLength)));
        return;
    }
    if (std::strcmp(format, "%s") == 0) {
        const char* text = va_arg(arguments, const char*);
        Deliver(level, text ? std::string_view(text, strnlen(text, MaxLength)) : "(null)");
        return;
    }
    char buffer[FormatBufferSize];
    // vsnprintf writes at most the buffer's size, zero included, and cuts the rest.
    // A conversion the C library cannot do (a width beyond INT_MAX, a wide character with
    // no multibyte form) logs the format text, which says more than nothing would.
    if (std::vsnprintf(buffer, sizeof buffer, format, arguments) < 0 &&
        std::snprintf(buffer, sizeof buffer, "%s", format) < 0)
        buffer[0] = '\0';
    buffer[sizeof buffer - 1] = '\0';  // also where a C library does not end a cut text
    Deliver(level, buffer);            // the text ends at its first zero, as a C string does
}

bool CLogger::LogDebug(const char* format, ...) {
    if (!WouldDeliver(Levels::Debug))
        return true;
    va_list arguments;
    va_start(arguments, format);
    LogFormatted(Levels::Debug, format, arguments);
    va_end(arguments);
    return true;
}

bool CLogger::LogError(const char* format, ...) {
    if (!WouldDeliver(Levels::Error))
        return true;
    va_list arguments;
    va_start(arguments, format);
    LogFormatted(Levels::Error, format, arguments);
    va_end(arguments);
    return true;
}

}  // namespace scrivlog
