#include "logging/appenders/CConsoleAppender.h"

#include "platform/StandardOutput.h"

namespace scrivlog {

const char* CConsoleAppender::GetClassName() const {
    return "ConsoleAppender";
}

void CConsoleAppender::Write(std::string_view text, const CLoggingEvent*) {
    platform::WriteStandardOutput(text);
}

bool CConsoleAppender::DoAppend(const CLoggingEvent& event) {
    return FormatAndWrite(event);
}

}  // namespace scrivlog
