#include "logging/appenders/CEditWindowAppender.h"

#include <cstdio>
#include <cstring>

#include "logging/core/SystemUtilities.h"
#include "logging/core/Text.h"

namespace scrivlog {

const char* CEditWindowAppender::GetClassName() const {
    return "EditWindowAppender";
}

bool CEditWindowAppender::SetParam(std::string_view name, std::string_view value) {
    if (CAppenderSkeleton::SetParam(name, value))
        return true;
    if (EqualsIgnoreCase(name, "HWND")) {
        HWND = static_cast<platform::WindowHandle>(ParseInt(value));  // widened with its sign
        return true;
    }
    if (EqualsIgnoreCase(name, "MaxLines")) {
        MaxLines = ParseInt(value);
        return true;
    }
    if (EqualsIgnoreCase(name, "AutoScroll")) {
        AutoScroll = StringToBool(value);
        return true;
    }
    return false;
}

std::string CEditWindowAppender::GetParam(std::string_view name) const {
    std::string value = CAppenderSkeleton::GetParam(name);
    if (!value.empty())
        return value;
    if (EqualsIgnoreCase(name, "MaxLines")) {
        char text[16];
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(MaxLines));
        return text;
    }
    if (EqualsIgnoreCase(name, "AutoScroll"))
        return BoolToString(AutoScroll);
    return {};
}

bool CEditWindowAppender::Open(std::string&) {
    return true;
}

void CEditWindowAppender::Write(std::string_view text, const CLoggingEvent*) {
    const platform::WindowHandle control = HWND;
    if (control == 0 || !platform::EditControlExists(control))
        return;
    // The user may select and copy the log, not edit it.
    if (!platform::EditControlIsReadOnly(control))
        platform::SetEditControlReadOnly(control, true);

    platform::GetEditControlText(control, m_controlText);

    // The edit control's line end is "\r\n".
    m_record.clear();
    int64_t newLines = 0;
    for (char c : text) {
        if (c == '\n') {
            m_record += '\r';
            ++newLines;
        }
        m_record += c;
    }

    if (MaxLines > 0) {
        // Remove just enough of the oldest lines that the control, with the record
        // appended, holds at most MaxLines lines (a record longer than that is kept
        // whole). An unfinished last line is never cut.
        int64_t excess = platform::EditControlLineCount(control) + newLines - MaxLines;
        size_t cut = 0;
        while (excess-- > 0) {
            const void* lineEnd =
                std::memchr(m_controlText.data() + cut, '\n', m_controlText.size() - cut);
            if (!lineEnd)
                break;
            cut = static_cast<size_t>(static_cast<const char*>(lineEnd) - m_controlText.data()) + 1;
        }
        m_controlText.erase(0, cut);
    }

    m_controlText += m_record;
    platform::SetEditControlText(control, m_controlText);

    if (AutoScroll)
        platform::ScrollEditControl(control, platform::EditControlLineCount(control));
}

bool CEditWindowAppender::DoAppend(const CLoggingEvent& event) {
    return FormatAndWrite(event);
}

}  // namespace scrivlog
