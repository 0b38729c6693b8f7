#include <gtest/gtest.h>

#include "logging/core/TimeFormat.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;
using testsupport::SettableClock;

TEST(TimeFormat, NamedFormsFieldsQuotesLiteralsAndNames) {
    SettableClock clock;
    clock.SetLocalTime(2011, 3, 14, 9, 6, 3, 5);
    // The names ignore case. With a blank it is a date pattern: I, S, O, blank and 8, 6,
    // 0, 1 written once each. Letters without meaning, and repeated punctuation, are
    // written once. An unclosed literal runs to the end; repeated punctuation inside
    // quotes is kept.
    const char* cases[][2] = {{"", "2011-03-14 09:06:03,005"},
                              {"iso8601", "2011-03-14 09:06:03,005"},
                              {"yy_mm_DD_hh_MM_SS", "11-03-14 09:06:03"},
                              {"ABSOLUTE", "09:06:03,005"},
                              {"ISO 8601", "I5O 8601"},
                              {"'.'yyyy-MM-dd", ".2011-03-14"},
                              {"y yy yyy yyyyy", "11 11 2011 02011"},
                              {"M MM MMM MMMM MMMMMM", "3 03 Mar. March 0March"},
                              {"d ddd H HH m s S SSS", "14 014 9 09 6 3 5 005"},
                              {"YYDDEE--xx", "YDE-x"},
                              {"yyyy''MM", "201103"},
                              {"'It''s' yyyy", "It's 2011"},
                              {"'at yyyy", "at yyyy"},
                              {"'--'yyyy", "--2011"},
                              {"MM'dd", "03dd"},
                              {"''", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(c[1], FormatCurrentTime(c[0])) << c[0];

    // The twelve-hour clock and the month names.
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

    std::string names;
    for (int month = 0; month <= 13; ++month)
        names += std::string(MonthName(month, true)) + "/" + MonthName(month, false) + " ";
    EXPECT_EQ(
        "[UnknownMonth]/[UnknownMonth] January/Jan. February/Feb. March/Mar. April/Apr. "
        "May/May. June/Jun. July/Jul. Aughust/Aug. September/Sep. October/Oct. "
        "November/Nov. December/Dec. [UnknownMonth]/[UnknownMonth] ",
        names);
}
