#include "logging/appenders/CUDPConsoleColorAppender.h"

#include <mutex>

#include "logging/core/Text.h"

namespace scrivlog {

CUDPConsoleColorAppender::CUDPConsoleColorAppender() = default;

CUDPConsoleColorAppender::CUDPConsoleColorAppender(std::string_view name, Level threshold)
    : CUDPConsoleAppender(name, threshold) {}

const char* CUDPConsoleColorAppender::GetClassName() const {
    return "UDPConsoleColorAppender";
}

bool CUDPConsoleColorAppender::SetParam(std::string_view name, std::string_view value) {
    if (CUDPConsoleAppender::SetParam(name, value))
        return true;
    if (EqualsIgnoreCase(name, "ClearScreen")) {
        ClearScreen = StringToBool(value);
        return true;
    }
    return false;
}

std::string CUDPConsoleColorAppender::GetParam(std::string_view name) const {
    std::string value = CUDPConsoleAppender::GetParam(name);
    if (!value.empty())
        return value;
    if (EqualsIgnoreCase(name, "ClearScreen"))
        return BoolToString(ClearScreen);
    return {};
}

const char* CUDPConsoleColorAppender::LevelColour(Level level) {
    switch (level) {
        case Levels::Trace:
            return "\033[01;34m";
        case Levels::Debug:
            return "\033[01;36m";
        case Levels::Info:
            return "\033[01;37m";
        case Levels::Warn:
            return "\033[01;33m";
        case Levels::Error:
            return "\033[01;31m";
        case Levels::Fatal:
            return "\033[01;35m";
        case Levels::Force:
            return "\033[01;32m";
        default:
            return ResetSequence;
    }
}

bool CUDPConsoleColorAppender::DoAppend(const CLoggingEvent& event) {
    if (!Opened)
        return false;
    try {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        // m_text and m_colouredText are in use while a record is being sent; a sink
        // that logs to its own appender gets texts of its own.
        std::string ownText, ownColoured;
        std::string& text = m_writing ? ownText : m_text;
        std::string& coloured = m_writing ? ownColoured : m_colouredText;
        text.clear();
        if (!FormatEvent(event, text))
            return false;
        coloured.assign(LevelColour(event.Level));
        coloured += text;
        coloured += ResetSequence;
        bool outer = !m_writing;
        m_writing = true;
        struct Reset {
            bool& flag;
            bool outer;
            ~Reset() {
                if (outer)
                    flag = false;
            }
        } reset{m_writing, outer};
        Write(coloured, &event);
        return true;
    } catch (...) {
        return false;  // logging must never bring its host down
    }
}

bool CUDPConsoleColorAppender::OnSocketOpened() {
    if (ClearScreen)
        Write(ClearScreenSequence, nullptr);
    return true;
}

}  // namespace scrivlog
