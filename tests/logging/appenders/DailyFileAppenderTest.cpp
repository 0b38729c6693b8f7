#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "logging/appenders/CDailyFileAppender.h"
#include "logging/appenders/CDailyRollingFileAppender.h"
#include "tests/logging/appenders/FileAppenderFixture.h"

using namespace scrivlog;
using filetests::Log;
namespace fs = std::filesystem;

using Daily = filetests::FileFixture<CDailyFileAppender>;
using DailyRolling = filetests::FileFixture<CDailyRollingFileAppender>;

TEST(DailyFileAppender, SwitchesAtMidnightAndRestarts) {
    Daily f;  // 23:59:59,500
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(f.directory.File("app.2011-05-04.log"), f.appender.GetParam("FileNameCurrent"));
    EXPECT_TRUE(Log(f.appender, "late"));
    f.clock.Advance(499);  // 23:59:59,999: same day
    Log(f.appender, "later");
    f.Stop();
    f.Session("again");  // same day, appended: the day's file continues
    EXPECT_EQ("H|late;later;F|H|again;F|", f.Read("app.2011-05-04.log"));

    // A file of the next day's name already there is emptied at the switch.
    std::ofstream(f.directory.File("app.2011-05-05.log")) << "stale";
    f.Start();
    f.clock.Advance(1);  // midnight
    Log(f.appender, "early");
    EXPECT_EQ("H|early;", f.Read("app.2011-05-05.log"));
    EXPECT_EQ(f.directory.File("app.2011-05-05.log"), f.appender.GetParam("FileCurrent"));
    EXPECT_FALSE(f.Exists("app.log"));
}

TEST(DailyFileAppender, PatternsAndNames) {
    Daily hourly;
    hourly.appender.SetParam("DatePattern", "'.'yyyy-MM-dd-HH");
    hourly.Start();
    Log(hourly.appender, "a");
    hourly.clock.SetLocalTime(2011, 5, 5, 0, 59, 0);
    Log(hourly.appender, "b");
    hourly.clock.SetLocalTime(2011, 5, 5, 1, 0, 0);
    Log(hourly.appender, "c");
    EXPECT_EQ(
        "app.2011-05-04-23.log=H|a;F| app.2011-05-05-00.log=H|b;F| app.2011-05-05-01.log=H|c;",
        hourly.Listing());

    // A text that repeats: the file of the same hour yesterday is emptied at the switch,
    // also by a process started since.
    Daily repeating;
    repeating.appender.SetParam("DatePattern", "'.'HH");
    for (int day : {4, 5}) {
        repeating.clock.SetLocalTime(2011, 5, day, 10, 30, 0);
        repeating.Start();
        Log(repeating.appender, "a");
        repeating.clock.SetLocalTime(2011, 5, day, 11, 0, 0);
        Log(repeating.appender, "b");
        repeating.Stop();
    }
    EXPECT_EQ("app.10.log=H|a;F|H|a;F| app.11.log=H|b;F|", repeating.Listing());

    // A second writer of the file that reads the time late continues the file the first
    // started, even after the first has passed more hours than the shared note keeps.
    Daily late;
    late.appender.SetParam("DatePattern", "'.'HH");
    CDailyFileAppender ahead("ahead", Levels::All);
    ahead.Layout = &late.layout;
    ahead.SetParam("File", late.directory.File("app.log"));
    ahead.SetParam("DatePattern", "'.'HH");
    std::string error;
    late.clock.SetLocalTime(2011, 5, 4, 10, 0, 0);
    late.Start();
    ASSERT_TRUE(ahead.Start(error)) << error;
    for (int hour = 11; hour <= 16; ++hour) {
        late.clock.SetLocalTime(2011, 5, 4, hour, 0, 0);
        Log(ahead, "h" + std::to_string(hour));
    }
    late.clock.SetLocalTime(2011, 5, 4, 11, 59, 0);
    Log(late.appender, "late");
    EXPECT_EQ("H|h11;F|late;", late.Read("app.11.log"));
    ahead.Stop(error);

    Daily constant;
    constant.appender.SetParam("DatePattern", "'-fixed'");
    constant.Start();
    Log(constant.appender, "a");
    constant.clock.Advance(3 * 86400000u);
    Log(constant.appender, "b");
    EXPECT_EQ("H|a;b;", constant.Read("app-fixed.log"));
}

TEST(DailyRollingFileAppender, RollsAtMidnightAndRestarts) {
    DailyRolling f;
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(f.directory.File("app.log"), f.appender.GetParam("FileNameCurrent"));
    Log(f.appender, "late");
    f.clock.Advance(500);
    EXPECT_TRUE(Log(f.appender, "early"));
    EXPECT_EQ("H|late;F|", f.Read("app.2011-05-04.log"));
    EXPECT_EQ("H|early;", f.Read("app.log"));

    // Restarted the same day: continued; the next day renames the whole file.
    f.Stop();
    f.Start();
    Log(f.appender, "again");
    f.clock.Advance(86400000u);
    Log(f.appender, "next");
    EXPECT_EQ("H|early;F|H|again;F|", f.Read("app.2011-05-05.log"));
    EXPECT_EQ("H|next;", f.Read("app.log"));
}

TEST(DailyRollingFileAppender, FailedRenameKeepsEveryRecord) {
    // An hourly pattern whose text repeats each day: the second time round the dated
    // name is taken, and the file is kept rather than emptied or put over the old one.
    DailyRolling f;
    f.appender.SetParam("DatePattern", "'.'HH");
    f.clock.SetLocalTime(2011, 5, 4, 10, 30, 0);
    f.Start();
    Log(f.appender, "a");
    f.clock.SetLocalTime(2011, 5, 4, 11, 0, 0);
    Log(f.appender, "b");
    EXPECT_EQ("H|a;F|", f.Read("app.10.log"));
    f.clock.SetLocalTime(2011, 5, 5, 10, 0, 0);
    std::ofstream(f.directory.File("app.11.log")) << "taken";
    Log(f.appender, "c");  // app.log cannot become app.11.log
    EXPECT_EQ("taken", f.Read("app.11.log"));
    EXPECT_EQ("H|b;c;", f.Read("app.log"));
    f.clock.SetLocalTime(2011, 5, 5, 12, 0, 0);
    fs::remove(f.directory.File("app.10.log"));
    Log(f.appender, "d");  // the next change renames it after the period it holds now
    EXPECT_EQ("H|b;c;F|", f.Read("app.10.log"));
    EXPECT_EQ("H|d;", f.Read("app.log"));
}
