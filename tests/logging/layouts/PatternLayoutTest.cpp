#include <gtest/gtest.h>

#include "logging/layouts/CPatternLayout.h"
#include "platform/Environment.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;

namespace {

CLoggingEvent MakeEvent(const char* message = "CShellExt::QueryInterface",
                        Level level = Levels::Debug) {
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
    if (!layout.Format(event, text))
        return "<false>";
    return text;
}

}  // namespace

TEST(PatternLayout, WorkedExampleAndDefaults) {
    testsupport::SettableClock clock;  // 2011-03-14 09:26:53,589
    EXPECT_EQ(
        "2011-03-14 09:26:53,589 [DEBUG] [ShellExt       -    3412] CShellExt::QueryInterface\r\n",
        Expand("%d [%-5p] [%-15c{1}-%8t] %m%n"));
    EXPECT_EQ("2011-03-14 09:26:53,589 [WARN ] [ShellExt       -    3412] w\r\n",
              Expand("%d [%-5p] [%-15c{1}-%8t] %m%n", MakeEvent("w", Levels::Warn)));

    CPatternLayout layout;
    EXPECT_STREQ("PatternLayout", layout.GetClassName());
    EXPECT_EQ("%-5p - %m%n", layout.GetParam("conversionpattern"));
    EXPECT_EQ("", layout.GetParam("Header"));
    EXPECT_FALSE(layout.SetParam("Header", "x"));
    std::string text;
    ASSERT_TRUE(layout.Format(MakeEvent("hello", Levels::Info), text));
    EXPECT_EQ("INFO  - hello\r\n", text);
    EXPECT_FALSE(layout.FormatHeader(text, "FileAppender", "f"));
    EXPECT_FALSE(layout.FormatFooter(text, "FileAppender", "f"));
}

TEST(PatternLayout, ConversionsPaddingAndEscapes) {
    EXPECT_EQ("%", Expand("%%"));
    EXPECT_EQ("100%", Expand("100%%"));
    EXPECT_EQ("WARN ", Expand("%-5p", MakeEvent("m", Levels::Warn)));
    EXPECT_EQ(" WARN", Expand("%5p", MakeEvent("m", Levels::Warn)));
    EXPECT_EQ("CRITICAL", Expand("%-5p", MakeEvent("m", Levels::Critical)));
    EXPECT_EQ("", Expand("%p", MakeEvent("m", Levels::Force)));
    EXPECT_EQ("abcdef", Expand("%3m", MakeEvent("abcdef")));
    EXPECT_EQ("abcdef", Expand("%.3m", MakeEvent("abcdef")));
    EXPECT_EQ("abc", Expand("%--8m", MakeEvent("abc")));
    EXPECT_EQ("     abc", Expand("%8.30m", MakeEvent("abc")));
    EXPECT_EQ("   abc", Expand("% 6m", MakeEvent("abc")));
    EXPECT_EQ(" \r\n", Expand("%3n"));
    EXPECT_EQ("[]", Expand("[%5R]"));
    EXPECT_EQ("[]", Expand("[%R{x}]"));
    EXPECT_EQ("m", Expand("%m{ignored}", MakeEvent("m")));
    EXPECT_EQ("Main|RollingFileAppender|1532|3412", Expand("%a|%b|%r|%t"));
    // Padding applies to the value of each conversion, not to literal text.
    EXPECT_EQ("[  Main]", Expand("[%6a]"));
    // Escapes: backslash-n is a line end, two backslashes one, anything else nothing.
    EXPECT_EQ("a\r\nb", Expand("a\\nb"));
    EXPECT_EQ("a\\b", Expand("a\\\\b"));
    EXPECT_EQ("ab", Expand("a\\tb"));
    EXPECT_EQ("ab", Expand("ab\\"));
    // Messages are copied as they are: no conversions inside them.
    EXPECT_EQ("50% %d\\n", Expand("%m", MakeEvent("50% %d\\n")));
    EXPECT_EQ("", Expand(""));
    // The modifier may hold a percent sign or a brace.
    EXPECT_EQ("   ab", Expand("%5%{m", MakeEvent("ab")));
    // Huge widths are bounded, not allocated.
    EXPECT_EQ(static_cast<size_t>(CPatternLayout::MaxWidth), Expand("%999999999999m").size());
}

TEST(PatternLayout, MalformedPatternsWriteNothing) {
    for (const char* pattern : {"%x", "%C", "abc%", "%5", "%c{1", "%e", "%N", "a %-", "%m%"}) {
        EXPECT_EQ("<false>", Expand(pattern)) << pattern;
    }
    // A bad conversion late in the pattern spoils the whole record.
    EXPECT_EQ("<false>", Expand("%m and then %q"));
    std::string longModifier(CPatternLayout::MaxModifierLength, '0');
    EXPECT_EQ("m", Expand("%" + longModifier + "m", MakeEvent("m")));
    EXPECT_EQ("<false>", Expand("%" + longModifier + "0m", MakeEvent("m")));
    // A new pattern replaces the broken one.
    CPatternLayout layout;
    layout.SetParam("ConversionPattern", "%x");
    std::string text;
    EXPECT_FALSE(layout.Format(MakeEvent(), text));
    layout.SetParam("ConversionPattern", "%m");
    EXPECT_TRUE(layout.Format(MakeEvent("ok"), text));
    EXPECT_EQ("ok", text);
}

TEST(PatternLayout, CategoryAbbreviation) {
    CLoggingEvent event = MakeEvent();
    event.Category = "a.b.c";
    EXPECT_EQ("b.c", Expand("%c{2}", event));
    EXPECT_EQ("a.b.c", Expand("%c{5}", event));
    EXPECT_EQ("a.b.c", Expand("%c{}", event));
    EXPECT_EQ("", Expand("%c{0}", event));
    EXPECT_EQ("", Expand("%c{x}", event));
    EXPECT_EQ("", Expand("%c{-1}", event));
    EXPECT_EQ("     c", Expand("%6c{1}", event));
    const char* name = "com.brenmoor.quillhaven.Tamarack";
    EXPECT_EQ("Tamarack", CPatternLayout::AbbreviateCategory(name, "1"));
    EXPECT_EQ("quillhaven.Tamarack", CPatternLayout::AbbreviateCategory(name, "2"));
    EXPECT_EQ(name, CPatternLayout::AbbreviateCategory(name, "9"));
    // The first character is never taken for a separator; a trailing dot is one.
    EXPECT_EQ(".a", CPatternLayout::AbbreviateCategory(".a", "1"));
    EXPECT_EQ("", CPatternLayout::AbbreviateCategory("a.", "1"));
    EXPECT_EQ("", CPatternLayout::AbbreviateCategory("", "1"));
}

TEST(PatternLayout, DatesFollowTheClockEveryRecord) {
    testsupport::SettableClock clock;
    EXPECT_EQ("2011-03-14 09:26:53,589", Expand("%d"));
    EXPECT_EQ("2011-03-14 09:26:53,589", Expand("%d{iso8601}"));
    EXPECT_EQ("09:26:53,589", Expand("%d{absolute}"));
    EXPECT_EQ("11-03-14 09:26:53", Expand("%d{YY_MM_dd_HH_mm_ss}"));
    EXPECT_EQ("14 Mar. 2011 (09)", Expand("%d{dd MMM yyyy '('HH')'}"));
    EXPECT_EQ("   09:26:53,589", Expand("%15d{ABSOLUTE}"));

    // One layout formatting across second, millisecond and day changes: the cached
    // second must never show a stale time.
    CPatternLayout layout;
    layout.SetParam("ConversionPattern", "%d|%d{HH:mm:ss.SSS}|%d{yyyy-MM-dd}");
    std::string text;
    const char* expected[] = {
        "2011-12-31 23:59:59,998|23:59:59.998|2011-12-31",
        "2011-12-31 23:59:59,999|23:59:59.999|2011-12-31",
        "2012-01-01 00:00:00,000|00:00:00.000|2012-01-01",
        "2012-01-01 00:00:00,001|00:00:00.001|2012-01-01",
    };
    clock.SetLocalTime(2011, 12, 31, 23, 59, 59, 998);
    for (const char* line : expected) {
        ASSERT_TRUE(layout.Format(MakeEvent(), text));
        EXPECT_EQ(line, text);
        clock.Advance(1);
    }
    clock.SetLocalTime(2011, 12, 31, 23, 59, 59, 998);  // backwards, same millisecond
    ASSERT_TRUE(layout.Format(MakeEvent(), text));
    EXPECT_EQ(expected[0], text);
}

TEST(PatternLayout, ProcessFacts) {
    testsupport::ScopedEnvironment environment;
    environment.Set("USERNAME", "alice");
    environment.Set("COMPUTERNAME", "HOST-1");
    EXPECT_EQ("alice@HOST-1", Expand("%u@%O"));
    environment.Set("USERNAME", "bob");  // read afresh for each record
    EXPECT_EQ("[bob  ]", Expand("[%-5u]"));
    std::string path = platform::ExecutablePath();
    std::string expected = path.substr(path.find_last_of("\\/") + 1);
    EXPECT_EQ(expected, Expand("%M"));
    EXPECT_EQ(expected + std::string(30 - expected.size(), ' '), Expand("%-30M"));
}
