#include "logging/appenders/CDatedFileAppender.h"

#include "logging/core/Text.h"
#include "logging/core/TimeFormat.h"

namespace scrivlog {

bool CDatedFileAppender::SetParam(std::string_view name, std::string_view value) {
    if (CFileAppender::SetParam(name, value))
        return true;
    if (!EqualsIgnoreCase(name, "DatePattern"))
        return false;
    DatePattern.assign(value);
    return true;
}

std::string CDatedFileAppender::GetParam(std::string_view name) const {
    std::string answer = CFileAppender::GetParam(name);
    if (answer.empty() && EqualsIgnoreCase(name, "DatePattern"))
        return DatePattern;
    return answer;
}

const std::string& CDatedFileAppender::DateTextNow() {
    m_dateText.clear();
    AppendFormattedTime(m_dateText, platform::LocalTime(), DatePattern);
    return m_dateText;
}

}  // namespace scrivlog
