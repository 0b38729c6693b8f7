#include "logging/appenders/CWin32DebugAppender.h"

#include "platform/DebugOutput.h"

namespace scrivlog {

const char* CWin32DebugAppender::GetClassName() const {
    return "Win32DebugAppender";
}

void CWin32DebugAppender::Write(std::string_view text, const CLoggingEvent*) {
    platform::WriteDebugOutput(text);
}

bool CWin32DebugAppender::DoAppend(const CLoggingEvent& event) {
    return FormatAndWrite(event);
}

}  // namespace scrivlog
