#include <gtest/gtest.h>

#include <fstream>

#include "tests/logging/appenders/FileAppenderFixture.h"

using filetests::Log;

// The daily appender writes each day to its dated file; the daily rolling one writes to
// File and renames it after the day when the day is over.
TEST(DailyFileAppenders, SwitchAtMidnightAndContinueTheDayWhenRestarted) {
    const char* cases[][3] = {
        {"DailyFileAppender",
         // The next day's file, there already, is emptied at the switch.
         "app.2011-05-04.log=H|late;later;F|H|again;F|H|F| app.2011-05-05.log=H|early;F| "
         "app.2011-05-06.log=H|next;",
         "app.2011-05-06.log"},
        {"DailyRollingFileAppender",
         // A dated name that is taken is not put over: File stays in use.
         "app.2011-05-04.log=H|late;later;F|H|again;F|H|F| app.2011-05-05.log=stale "
         "app.log=H|early;next;",
         "app.log"}};
    for (const auto& [name, files, current] : cases) {
        filetests::FileFixture f(name);  // 23:59:59,500
        ASSERT_TRUE(f.Start());
        EXPECT_TRUE(Log(f.appender, "late"));
        f.clock.Advance(499);  // 23:59:59,999: same day
        Log(f.appender, "later");
        f.Stop();
        f.Session("again");
        std::ofstream(f.directory.File("app.2011-05-05.log")) << "stale";
        f.Start();
        f.clock.Advance(1);  // midnight
        EXPECT_TRUE(Log(f.appender, "early"));
        f.clock.Advance(86400000u);
        Log(f.appender, "next");
        EXPECT_EQ(files, f.Listing()) << name;
        EXPECT_EQ(f.directory.File(current), f.appender.GetParam("FileCurrent"));
    }
}

// An hourly pattern, whose text repeats each day, and a process started again the next day.
TEST(DailyFileAppenders, ATextThatRepeatsNeitherContinuesNorOverwritesAnOldFile) {
    const char* cases[][2] = {
        // The file of the same hour yesterday is emptied at the switch.
        {"DailyFileAppender", "app.10.log=H|a;F|H|a;F| app.11.log=H|b;F| app.12.log=H|c;"},
        // File cannot be renamed to the dated name that is taken: it is kept, and renamed
        // at the next change after the period it holds now.
        {"DailyRollingFileAppender", "app.10.log=H|a;F| app.11.log=H|b;F|H|a;b;F| app.log=H|c;"}};
    for (const auto& [name, files] : cases) {
        filetests::FileFixture f(name);
        f.appender.SetParam("DatePattern", "'.'HH");
        for (int day : {4, 5}) {
            f.clock.SetLocalTime(2011, 5, day, 10, 30, 0);
            f.Start();
            Log(f.appender, "a");
            f.clock.SetLocalTime(2011, 5, day, 11, 0, 0);
            Log(f.appender, "b");
            if (day == 4)
                f.Stop();
        }
        f.clock.SetLocalTime(2011, 5, 5, 12, 0, 0);
        Log(f.appender, "c");
        EXPECT_EQ(files, f.Listing()) << name;
    }
}
