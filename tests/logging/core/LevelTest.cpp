#include <gtest/gtest.h>

#include "logging/core/CAppenderSkeleton.h"
#include "logging/core/CLoggingEvent.h"
#include "logging/core/Level.h"

using namespace scrivlog;

TEST(Level, NamesAndFlagsPrintAndParse) {
    // Fatal to All, every hundred: printed upper case, read back in any case.
    const char* names[] = {"FATAL", "ALERT", "CRITICAL", "ERROR",  "WARN", "NOTICE",
                           "INFO",  "DEBUG", "TRACE",    "NOTSET", "ALL"};
    for (int i = 0; i <= 10; ++i) {
        EXPECT_STREQ(names[i], LevelToString(i * 100));
        EXPECT_EQ(i * 100, StringToLevel(names[i])) << names[i];
    }
    const std::pair<Level, const char*> others[] = {
        {-3, "UNDEFINED"},       {-2, "OFF"},           {9998, ""},
        {9999, "Unconditional"}, {50, "Unconditional"}, {-1, "Unconditional"},
        {1001, "Unconditional"}};
    for (const auto& [level, name] : others)
        EXPECT_STREQ(name, LevelToString(level)) << level;
    // The configuration names ignore ASCII case, and nothing else.
    const std::pair<const char*, Level> table[] = {
        {"fatal", 0},   {"Fatal", 0},    {"Critic", 200},   {"critical", 200},
        {"off", -2},    {"FORCE", 9998}, {"Fatal ", -3},    {" Fatal", -3},
        {"Crit", -3},   {"", -3},        {"UNDEFINED", -3}, {"Unconditional", -3},
        {"700", -3},    {"Raw", -3},     {"Debugg", -3},    {"De", -3},
        {"Inf\xCF", -3}};  // folding is ASCII only: a Latin-1 capital is not its small letter
    for (const auto& [text, level] : table)
        EXPECT_EQ(level, StringToLevel(text)) << text;
    for (const char* text : {"true", "TRUE", "1"})
        EXPECT_TRUE(CAppenderSkeleton::StringToBool(text)) << text;
    for (const char* text : {"01", "yes", "on", "2", "", "true ", "t"})
        EXPECT_FALSE(CAppenderSkeleton::StringToBool(text)) << text;
}

TEST(LoggingEvent, DefaultsAndTextsOfAnyLength) {
    CLoggingEvent event;
    EXPECT_EQ("[MessageNotSet]", event.Message);
    EXPECT_EQ("[CategoryNotSet]", event.Category);
    EXPECT_EQ("[ThreadNameNotSet]", event.ThreadName);
    EXPECT_EQ(900, event.Level);
    EXPECT_TRUE(event.AppenderName.empty() && event.AppenderClassName.empty());

    // Texts beyond the inline storage survive copies, shrinking, and assignment from
    // a part of themselves.
    std::string longText(70000, 'x');
    event.Message = longText + "y";
    CLoggingEvent copy = event;
    EXPECT_EQ(longText + "y", copy.Message);
    copy.Message = "short";
    EXPECT_EQ("short", copy.Message);
    event.Message = event.Message.view().substr(69991);
    EXPECT_EQ("xxxxxxxxxy", event.Message);
}
