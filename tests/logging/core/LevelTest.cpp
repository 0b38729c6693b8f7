#include <gtest/gtest.h>

#include "logging/core/CAppenderSkeleton.h"
#include "logging/core/CLoggingEvent.h"
#include "logging/core/Level.h"

using namespace scrivlog;

TEST(Level, PrintedNames) {
    const std::pair<Level, const char*> table[] = {{-3, "UNDEFINED"},
                                                   {-2, "OFF"},
                                                   {0, "FATAL"},
                                                   {100, "ALERT"},
                                                   {200, "CRITICAL"},
                                                   {300, "ERROR"},
                                                   {400, "WARN"},
                                                   {500, "NOTICE"},
                                                   {600, "INFO"},
                                                   {700, "DEBUG"},
                                                   {800, "TRACE"},
                                                   {900, "NOTSET"},
                                                   {1000, "ALL"},
                                                   {9998, ""},
                                                   {9999, "Unconditional"},
                                                   {50, "Unconditional"},
                                                   {-1, "Unconditional"},
                                                   {1001, "Unconditional"}};
    for (const auto& [level, name] : table)
        EXPECT_STREQ(name, LevelToString(level)) << level;
}

TEST(Level, ConfigurationNamesIgnoreCaseButNothingElse) {
    EXPECT_EQ(0, StringToLevel("fatal"));
    EXPECT_EQ(0, StringToLevel("FATAL"));
    EXPECT_EQ(0, StringToLevel("Fatal"));
    EXPECT_EQ(-3, StringToLevel("Fatal "));
    EXPECT_EQ(-3, StringToLevel(" Fatal"));
    EXPECT_EQ(200, StringToLevel("Critic"));
    EXPECT_EQ(200, StringToLevel("critical"));
    EXPECT_EQ(-3, StringToLevel("Crit"));
    EXPECT_EQ(-2, StringToLevel("off"));
    EXPECT_EQ(9998, StringToLevel("FORCE"));
    for (const char* text : {"", "UNDEFINED", "Unconditional", "700", "Raw", "Debugg", "De"})
        EXPECT_EQ(Levels::Undefined, StringToLevel(text)) << text;
    // The printed names of Off and Fatal to All parse back to their own value.
    for (Level level : {-2, 0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000})
        EXPECT_EQ(level, StringToLevel(LevelToString(level))) << level;
    // Folding is ASCII only: a Latin-1 capital does not match its small letter.
    EXPECT_EQ(-3, StringToLevel("Inf\xCF"));
}

TEST(Level, StringToBool) {
    EXPECT_TRUE(CAppenderSkeleton::StringToBool("true"));
    EXPECT_TRUE(CAppenderSkeleton::StringToBool("TRUE"));
    EXPECT_TRUE(CAppenderSkeleton::StringToBool("1"));
    for (const char* text : {"01", "yes", "on", "2", "", "true ", "t"})
        EXPECT_FALSE(CAppenderSkeleton::StringToBool(text)) << text;
    EXPECT_STREQ("true", CAppenderSkeleton::BoolToString(true));
    EXPECT_STREQ("false", CAppenderSkeleton::BoolToString(false));
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
    EventText text(std::string(300, 'a'));
    text = std::string_view(text.data() + 1, 298);
    EXPECT_EQ(std::string(298, 'a'), text);
}
