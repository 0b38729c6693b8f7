#include "logging/appenders/CEventLogAppender.h"

#include "logging/core/SystemUtilities.h"

namespace scrivlog {

CEventLogAppender::~CEventLogAppender() {
    try {
        std::string error;
        Close(error);
    } catch (...) {
        // nothing may leave a destructor
    }
}

const char* CEventLogAppender::GetClassName() const {
    return "EventLogAppender";
}

bool CEventLogAppender::Open(std::string& error) {
    if (m_source)
        return true;
    m_source = platform::RegisterSystemLogSource(GetName());
    if (!m_source) {
        error = "unable to register event source:" + LastErrorText();
        return false;
    }
    std::string header;
    if (GetHeader(header))
        Write(header, nullptr);
    return true;
}

bool CEventLogAppender::Close(std::string& error) {
    if (!m_source)
        return true;
    std::string footer;
    if (GetFooter(footer))
        Write(footer, nullptr);
    platform::SystemLogSource source = m_source;
    m_source = nullptr;
    if (!platform::DeregisterSystemLogSource(source)) {
        error = "unable to deregister event source:" + LastErrorText();
        return false;
    }
    return true;
}

platform::SystemLogType CEventLogAppender::EventType(const CLoggingEvent* event) {
    if (!event)
        return platform::SystemLogType::Information;
    if (event->Level <= Levels::Error)
        return platform::SystemLogType::Error;
    if (event->Level < Levels::Info)
        return platform::SystemLogType::Warning;
    return platform::SystemLogType::Information;
}

void CEventLogAppender::Write(std::string_view text, const CLoggingEvent* event) {
    if (!m_source)
        return;
    platform::ReportSystemLogEntry(m_source, EventType(event), Category, EventId, text);
}

bool CEventLogAppender::DoAppend(const CLoggingEvent& event) {
    return FormatAndWrite(event);
}

}  // namespace scrivlog
