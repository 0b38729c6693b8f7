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
    return layout.Format(event, text) ? text : "<false>";
}

// Pairs of a pattern and its text for `event`, one after the other.
template <typename... Texts>
void ExpectExpansions(const CLoggingEvent& event, Texts... pairs) {
    static_assert(sizeof...(pairs) % 2 == 0, "pattern without its text");
    const char* texts[] = {pairs...};
    for (size_t i = 0; i + 1 < sizeof texts / sizeof *texts; i += 2)
        EXPECT_EQ(texts[i + 1], Expand(texts[i], event)) << texts[i];
}

}  // namespace

TEST(PatternLayout, WorkedExampleAndDefaults) {
    testsupport::SettableClock clock;  // 2011-03-14 09:26:53,589
    EXPECT_EQ(
        "2011-03-14 09:26:53,589 [DEBUG] [ShellExt       -    3412] CShellExt::QueryInterface\r\n",
        Expand("%d [%-5p] [%-15c{1}-%8t] %m%n"));
    CPatternLayout layout;
    std::string text;
    ASSERT_TRUE(layout.Format(MakeEvent("hello", Levels::Info), text));
    EXPECT_EQ("INFO  - hello\r\n", text);
    EXPECT_FALSE(layout.FormatHeader(text, "FileAppender", "f") ||
                 layout.FormatFooter(text, "FileAppender", "f"));
}

TEST(PatternLayout, ConversionsPaddingAndEscapes) {
    // Padding applies to values, not to literal text. Backslash-n is a line end, two
    // backslashes one, anything else nothing. A modifier may hold a percent or a brace.
    ExpectExpansions(MakeEvent("abc", Levels::Warn), "%%", "%", "100%%", "100%", "%-5p", "WARN ",
                     "%5p", " WARN", "%2m", "abc", "%.2m", "abc", "%--8m", "abc", "%8.30m",
                     "     abc", "% 6m", "   abc", "[%5R]", "[]", "[%R{x}]", "[]", "%m{ignored}",
                     "abc", "%a|%b|%r|%t", "Main|RollingFileAppender|1532|3412", "[%6a]",
                     "[  Main]", "a\\nb", "a\r\nb", "a\\\\b", "a\\b", "a\\tb", "ab", "ab\\", "ab",
                     "", "", "%5%{m", "  abc", "%3n", " \r\n");
    EXPECT_EQ("CRITICAL", Expand("%-5p", MakeEvent("m", Levels::Critical)));
    EXPECT_EQ("", Expand("%p", MakeEvent("m", Levels::Force)));
    // Messages are copied as they are: no conversions inside them.
    EXPECT_EQ("50% %d\\n", Expand("%m", MakeEvent("50% %d\\n")));
    // Huge widths are bounded, not allocated.
    EXPECT_EQ(static_cast<size_t>(CPatternLayout::MaxWidth), Expand("%999999999999m").size());
}

TEST(PatternLayout, MalformedPatternsWriteNothing) {
    // A bad conversion late in the pattern spoils the whole record.
    for (const char* pattern :
         {"%x", "%C", "abc%", "%5", "%c{1", "%e", "%N", "a %-", "%m%", "%m and then %q"})
        EXPECT_EQ("<false>", Expand(pattern)) << pattern;
    std::string longModifier(CPatternLayout::MaxModifierLength, '0');
    EXPECT_EQ("m", Expand("%" + longModifier + "m", MakeEvent("m")));
    EXPECT_EQ("<false>", Expand("%" + longModifier + "0m", MakeEvent("m")));
    // A new pattern replaces the broken one.
    CPatternLayout layout;
    std::string text;
    EXPECT_TRUE(layout.SetParam("ConversionPattern", "%x") && !layout.Format(MakeEvent(), text));
    EXPECT_TRUE(layout.SetParam("ConversionPattern", "%m") && layout.Format(MakeEvent("ok"), text));
    EXPECT_EQ("ok", text);
}

TEST(PatternLayout, CategoryAbbreviation) {
    CLoggingEvent event = MakeEvent();
    event.Category = "a.b.c";
    ExpectExpansions(event, "%c{2}", "b.c", "%c{5}", "a.b.c", "%c{}", "a.b.c", "%c{0}", "", "%c{x}",
                     "", "%c{-1}", "", "%6c{1}", "     c");
    // The first character is never taken for a separator; a trailing dot is one.
    const char* cases[][3] = {{"com.brenmoor.quillhaven.Tamarack", "2", "quillhaven.Tamarack"},
                              {".a", "1", ".a"},
                              {"a.", "1", ""},
                              {"", "1", ""}};
    for (const auto& entry : cases)
        EXPECT_EQ(entry[2], CPatternLayout::AbbreviateCategory(entry[0], entry[1]));
}

TEST(PatternLayout, DatesFollowTheClockEveryRecord) {
    testsupport::SettableClock clock;
    ExpectExpansions(MakeEvent("abc", Levels::Warn), "%d{absolute}", "09:26:53,589",
                     "%15d{ABSOLUTE}", "   09:26:53,589", "%d{dd MMM yyyy '('HH')'}",
                     "14 Mar. 2011 (09)");

    // One layout formatting across second, millisecond and day changes: the cached
    // second must never show a stale time.
    CPatternLayout layout;
    layout.SetParam("ConversionPattern", "%d|%d{HH:mm:ss.SSS}|%d{yyyy-MM-dd}");
    std::string text;
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

TEST(PatternLayout, ProcessFacts) {
    testsupport::ScopedEnvironment environment;
    environment.Set("USERNAME", "alice");
    environment.Set("COMPUTERNAME", "HOST-1");
    EXPECT_EQ("alice@HOST-1", Expand("%u@%O"));
    environment.Set("USERNAME", "bob");  // read afresh for each record
    EXPECT_EQ("[bob  ]", Expand("[%-5u]"));
    std::string path = platform::ExecutablePath();
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    EXPECT_EQ(name + std::string(30 - name.size(), ' '), Expand("%-30M"));
}
