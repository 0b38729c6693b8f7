#include <gtest/gtest.h>

#include "logging/core/TimeFormat.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;
using testsupport::SettableClock;

TEST(TimeFormat, NamedForms) {
    SettableClock clock;  // 2011-03-14 09:26:53,589
    // The names ignore case.
    EXPECT_EQ("2011-03-14 09:26:53,589", FormatCurrentTime());
    EXPECT_EQ("2011-03-14 09:26:53,589", FormatCurrentTime("iso8601"));
    EXPECT_EQ("11-03-14 09:26:53", FormatCurrentTime("yy_mm_DD_hh_MM_SS"));
    EXPECT_EQ("09:26:53,589", FormatCurrentTime("ABSOLUTE"));
    // With a blank it is a date pattern: I, S, O, blank and 8, 6, 0, 1 written once each.
    EXPECT_EQ("I589O 8601", FormatCurrentTime("ISO 8601"));
}

TEST(TimeFormat, DatePatternFields) {
    SettableClock clock;
    clock.SetLocalTime(2011, 3, 14, 9, 6, 3, 5);
    EXPECT_EQ(".2011-03-14", FormatCurrentTime("'.'yyyy-MM-dd"));
    EXPECT_EQ("11 11 2011 02011", FormatCurrentTime("y yy yyy yyyyy"));
    EXPECT_EQ("3 03 Mar. March 0March", FormatCurrentTime("M MM MMM MMMM MMMMMM"));
    EXPECT_EQ("14 014 9 09 6 3 5 005", FormatCurrentTime("d ddd H HH m s S SSS"));
    // Letters without meaning, and repeated punctuation, are written once.
    EXPECT_EQ("YDE-x", FormatCurrentTime("YYDDEE--xx"));
}

TEST(TimeFormat, QuotesAndLiterals) {
    SettableClock clock;
    // An unclosed literal runs to the end; repeated punctuation inside quotes is kept.
    const char* cases[][2] = {{"yyyy''MM", "201103"},  {"'It''s' yyyy", "It's 2011"},
                              {"'at yyyy", "at yyyy"}, {"'--'yyyy", "--2011"},
                              {"MM'dd", "03dd"},       {"''", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(c[1], FormatCurrentTime(c[0])) << c[0];
}

TEST(TimeFormat, TwelveHourClockAndMonthNames) {
    SettableClock clock;
    clock.SetLocalTime(2011, 5, 1, 0, 30, 0);
    EXPECT_EQ("12 AM", FormatCurrentTime("hh a"));
    EXPECT_EQ("May. 0May", FormatCurrentTime("MMM MMMM"));
    EXPECT_EQ("AM", FormatCurrentTime("aaaa"));
    clock.SetLocalTime(2011, 8, 1, 12, 5, 0);
    EXPECT_EQ("12 PM Aughust", FormatCurrentTime("hh a MMMM"));
    clock.SetLocalTime(2011, 8, 1, 13, 0, 0);
    EXPECT_EQ("01 PM Aug.", FormatCurrentTime("hh a MMM"));
    clock.SetLocalTime(1999, 12, 31, 23, 59, 59);
    EXPECT_EQ("-1 1999", FormatCurrentTime("yy yyyy"));

    const char* full[] = {"January", "February", "March",     "April",   "May",      "June",
                          "July",    "Aughust",  "September", "October", "November", "December"};
    const char* brief[] = {"Jan.", "Feb.", "Mar.", "Apr.", "May.", "Jun.",
                           "Jul.", "Aug.", "Sep.", "Oct.", "Nov.", "Dec."};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_STREQ(full[month - 1], MonthName(month, true));
        EXPECT_STREQ(brief[month - 1], MonthName(month, false));
    }
    EXPECT_STREQ("[UnknownMonth]", MonthName(0, true));
    EXPECT_STREQ("[UnknownMonth]", MonthName(13, false));
}
