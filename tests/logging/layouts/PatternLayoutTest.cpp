#include <gtest/gtest.h>

#include "logging/layouts/CPatternLayout.h"
#include "platform/Environment.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;

namespace {

CLoggingEvent MakeEvent(const char* message = "abc", Level level = Levels::Warn) {
    CLoggingEvent event;
    event.Message = message;
    event.Category = "com.brenmoor.quillhaven.Tamarack.ShellExt";
    event.ThreadName = "3412";
    event.Level = level;
    event.ElapsedTime = 1532;
    event.AppenderName = "Main";
    event.AppenderClassName = "RollingFileAppender";
    return event;
}

// The text of `pattern` for `event`, or "<false>" when Format refuses.
std::string Expand(const std::string& pattern, const CLoggingEvent& event = MakeEvent()) {
    CPatternLayout layout;
    EXPECT_TRUE(layout.SetParam("ConversionPattern", pattern));
    std::string text = "stale";
    return layout.Format(event, text) ? text : "<false>";
}

}  // namespace

TEST(PatternLayout, Conversions) {
    testsupport::SettableClock clock;  // 2011-03-14 09:26:53,589
    testsupport::ScopedEnvironment environment;
    environment.Set("USERNAME", "alice");
    environment.Set("COMPUTERNAME", "HOST-1");
    std::string path = platform::ExecutablePath();
    std::string program = path.substr(path.find_last_of("\\/") + 1);
    const std::string longModifier(CPatternLayout::MaxModifierLength, '0');
    // Padding applies to values, not to literal text. Backslash-n is a line end, two
    // backslashes one, anything else nothing. A modifier may hold a percent or a brace.
    // The first character of a category is never taken for a separator. A bad conversion
    // late in the pattern spoils the whole record.
    const std::pair<std::string, std::string> cases[] = {
        {"%d [%-5p] [%-15c{1}-%8t] %m%n",
         "2011-03-14 09:26:53,589 [WARN ] [ShellExt       -    3412] abc\r\n"},
        {"%%", "%"},
        {"100%%", "100%"},
        {"%-5p|%5p", "WARN | WARN"},
        {"%2m|%.2m|%--8m", "abc|abc|abc"},
        {"%8.30m|% 6m", "     abc|   abc"},
        {"[%5R][%R{x}]%m{ignored}", "[][]abc"},
        {"%a|%b|%r|%t", "Main|RollingFileAppender|1532|3412"},
        {"[%6a]", "[  Main]"},
        {"a\\nb|a\\\\b|a\\tb|ab\\", "a\r\nb|a\\b|ab|ab"},
        {"", ""},
        {"%5%{m|%3n", "  abc| \r\n"},
        {"%c{2}|%c{}|%c{0}|%c{x}|%c{-1}|",
         "Tamarack.ShellExt|com.brenmoor.quillhaven.Tamarack.ShellExt||||"},
        {"%10c{1}", "  ShellExt"},
        {"%d{absolute}|%15d{ABSOLUTE}", "09:26:53,589|   09:26:53,589"},
        {"%d{dd MMM yyyy '('HH')'}", "14 Mar. 2011 (09)"},
        {"%u@%O|%-30M", "alice@HOST-1|" + program + std::string(30 - program.size(), ' ')},
        {"%" + longModifier + "m", "abc"},
        {"%" + longModifier + "0m", "<false>"},
    };
    for (const auto& [pattern, text] : cases)
        EXPECT_EQ(text, Expand(pattern)) << pattern;
    for (const char* pattern :
         {"%x", "%C", "abc%", "%5", "%c{1", "%e", "%N", "a %-", "%m%", "%m and then %q"})
        EXPECT_EQ("<false>", Expand(pattern)) << pattern;
    environment.Set("USERNAME", "bob");  // read afresh for each record
    EXPECT_EQ("[bob  ]", Expand("[%-5u]"));
    EXPECT_EQ("CRITICAL", Expand("%-5p", MakeEvent("m", Levels::Critical)));
    EXPECT_EQ("", Expand("%p", MakeEvent("m", Levels::Force)));
    // Messages are copied as they are: no conversions inside them.
    EXPECT_EQ("50% %d\\n", Expand("%m", MakeEvent("50% %d\\n")));
    // Huge widths are bounded, not allocated.
    EXPECT_EQ(static_cast<size_t>(CPatternLayout::MaxWidth), Expand("%999999999999m").size());
    // A trailing dot is a separator.
    const char* categories[][3] = {{".a", "1", ".a"}, {"a.", "1", ""}, {"", "1", ""}};
    for (const auto& entry : categories)
        EXPECT_EQ(entry[2], CPatternLayout::AbbreviateCategory(entry[0], entry[1]));
}

TEST(PatternLayout, OneLayoutFollowsItsPatternAndTheClockEveryRecord) {
    testsupport::SettableClock clock;
    CPatternLayout layout;
    std::string text;
    ASSERT_TRUE(layout.Format(MakeEvent("hello", Levels::Info), text));
    EXPECT_EQ("INFO  - hello\r\n", text);  // the default pattern
    // A new pattern replaces a broken one.
    EXPECT_TRUE(layout.SetParam("ConversionPattern", "%x") && !layout.Format(MakeEvent(), text));
    // Across second, millisecond and day changes the cached second must never show a
    // stale time.
    layout.SetParam("ConversionPattern", "%d|%d{HH:mm:ss.SSS}|%d{yyyy-MM-dd}");
    const char* expected[] = {
        "2011-12-31 23:59:59,998|23:59:59.998|2011-12-31",
        "2011-12-31 23:59:59,999|23:59:59.999|2011-12-31",
        "2012-01-01 00:00:00,000|00:00:00.000|2012-01-01",
        "2011-12-31 23:59:59,998|23:59:59.998|2011-12-31",  // backwards, same millisecond
    };
    clock.SetLocalTime(2011, 12, 31, 23, 59, 59, 998);
    for (const char* line : expected) {
        ASSERT_TRUE(layout.Format(MakeEvent(), text));
        EXPECT_EQ(line, text);
        clock.Advance(1);
        if (line == expected[2])
            clock.SetLocalTime(2011, 12, 31, 23, 59, 59, 998);
    }
}
