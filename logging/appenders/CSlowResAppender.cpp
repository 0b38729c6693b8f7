#include "logging/appenders/CSlowResAppender.h"

#include <cstdio>
#include <mutex>

#include "logging/core/SystemUtilities.h"
#include "logging/core/Text.h"
#include "platform/Clock.h"

namespace scrivlog {

const char* CSlowResAppender::GetClassName() const {
    return "SlowResourceAppender";
}

bool CSlowResAppender::SetParam(std::string_view name, std::string_view value) {
    if (CConsoleAppender::SetParam(name, value))
        return true;
    if (EqualsIgnoreCase(name, "TimeOut")) {
        TimeOut = ParseInt(value);
        return true;
    }
    return false;
}

std::string CSlowResAppender::GetParam(std::string_view name) const {
    std::string value = CConsoleAppender::GetParam(name);
    if (!value.empty())
        return value;
    if (EqualsIgnoreCase(name, "TimeOut")) {
        char text[16];
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(TimeOut));
        return text;
    }
    return {};
}

bool CSlowResAppender::DoAppend(const CLoggingEvent& event) {
    if (!Opened)
        return false;
    // A negative time has no length: no pause rather than an endless one.
    const uint32_t half = TimeOut > 0 ? static_cast<uint32_t>(TimeOut / 2) : 0;
    try {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        if (half != 0)
            platform::Sleep(half);
        CConsoleAppender::DoAppend(event);
        if (half != 0)
            platform::Sleep(half);
    } catch (...) {
        // logging must never bring its host down
    }
    return true;
}

}  // namespace scrivlog
