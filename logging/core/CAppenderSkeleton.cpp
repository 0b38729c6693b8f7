#include "logging/core/CAppenderSkeleton.h"

#include "logging/core/Text.h"

namespace scrivlog {

CAppenderSkeleton::CAppenderSkeleton() : CAppenderSkeleton("[NoAppenderName]", Levels::NotSet) {}

CAppenderSkeleton::CAppenderSkeleton(std::string_view name, Level threshold)
    : Threshold(threshold), m_name(name) {}

CAppenderSkeleton::~CAppenderSkeleton() = default;

const char* CAppenderSkeleton::GetClassName() const {
    return "SkeletonAppender";
}

bool CAppenderSkeleton::SetParam(std::string_view name, std::string_view value) {
    if (EqualsIgnoreCase(name, "Threshold")) {
        Level level = StringToLevel(value);
        if (level == Levels::Undefined)
            return false;
        Threshold = level;
        return true;
    }
    if (EqualsIgnoreCase(name, "Active")) {
        Active = StringToBool(value);
        return true;
    }
    if (EqualsIgnoreCase(name, "AutoStart")) {
        AutoStart = StringToBool(value);
        return true;
    }
    return false;
}

std::string CAppenderSkeleton::GetParam(std::string_view) const {
    return {};
}

bool CAppenderSkeleton::Open(std::string&) {
    std::string header;
    if (GetHeader(header))
        Write(header, nullptr);
    return true;
}

bool CAppenderSkeleton::Close(std::string&) {
    std::string footer;
    if (GetFooter(footer))
        Write(footer, nullptr);
    return true;
}

void CAppenderSkeleton::Write(std::string_view, const CLoggingEvent*) {}

bool CAppenderSkeleton::DoAppend(const CLoggingEvent&) {
    if (!Opened)
        return false;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return true;
}

bool CAppenderSkeleton::RequiresLayout() const {
    return false;
}

bool CAppenderSkeleton::Start(std::string& error) {
    Opened = Open(error);
    return Opened;
}

bool CAppenderSkeleton::Stop(std::string& error) {
    // An appender that never opened (or is stopped already) has nothing to close: it
    // writes no footer without a header. The factory stops every appender more than once.
    if (!Opened)
        return true;
    bool closed = Close(error);
    Opened = !closed;
    return closed;
}

bool CAppenderSkeleton::GetHeader(std::string& text) {
    return Layout && Layout->FormatHeader(text, GetClassName(), m_name);
}

bool CAppenderSkeleton::GetFooter(std::string& text) {
    return Layout && Layout->FormatFooter(text, GetClassName(), m_name);
}

bool CAppenderSkeleton::FormatEvent(const CLoggingEvent& event, std::string& text) {
    if (event.Level == Levels::Raw) {
        text.assign(event.Message.view());
        return true;
    }
    if (!Layout) {
        if (RequiresLayout())
            return false;
        text.assign(event.Message.view());
        text += '\n';
        return true;
    }
    return Layout->Format(event, text);
}

bool CAppenderSkeleton::FormatAndWrite(const CLoggingEvent& event) {
    if (!Opened)
        return false;
    try {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        if (m_writing) {
            // A sink that logs to its own appender: the outer text is still in use.
            std::string text;
            return FormatEvent(event, text) && (Write(text, &event), true);
        }
        m_text.clear();
        if (!FormatEvent(event, m_text))
            return false;
        m_writing = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{m_writing};
        Write(m_text, &event);
        return true;
    } catch (...) {
        return false;  // logging must never bring its host down
    }
}

bool CAppenderSkeleton::IsNamed(std::string_view name) const {
    return EqualsIgnoreCase(m_name, name);
}

bool CAppenderSkeleton::StringToBool(std::string_view text) {
    return EqualsIgnoreCase(text, "true") || text == "1";
}

}  // namespace scrivlog
