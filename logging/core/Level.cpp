#include "logging/core/Level.h"

#include "logging/core/Text.h"

namespace scrivlog {

const char* LevelToString(Level level) {
    switch (level) {
        case Levels::Undefined:
            return "UNDEFINED";
        case Levels::Off:
            return "OFF";
        case Levels::Fatal:
            return "FATAL";
        case Levels::Alert:
            return "ALERT";
        case Levels::Critical:
            return "CRITICAL";
        case Levels::Error:
            return "ERROR";
        case Levels::Warn:
            return "WARN";
        case Levels::Notice:
            return "NOTICE";
        case Levels::Info:
            return "INFO";
        case Levels::Debug:
            return "DEBUG";
        case Levels::Trace:
            return "TRACE";
        case Levels::NotSet:
            return "NOTSET";
        case Levels::All:
            return "ALL";
        case Levels::Force:
            return "";
        default:
            return "Unconditional";
    }
}

Level StringToLevel(std::string_view text) {
    struct Name {
        const char* text;
        Level level;
    };
    static constexpr Name names[] = {
        {"Off", Levels::Off},         {"Fatal", Levels::Fatal},       {"Alert", Levels::Alert},
        {"Critic", Levels::Critical}, {"Critical", Levels::Critical}, {"Error", Levels::Error},
        {"Warn", Levels::Warn},       {"Notice", Levels::Notice},     {"Info", Levels::Info},
        {"Debug", Levels::Debug},     {"Trace", Levels::Trace},       {"NotSet", Levels::NotSet},
        {"All", Levels::All},         {"Force", Levels::Force},
    };
    for (const Name& name : names)
        if (EqualsIgnoreCase(text, name.text))
            return name.level;
    return Levels::Undefined;
}

}  // namespace scrivlog
