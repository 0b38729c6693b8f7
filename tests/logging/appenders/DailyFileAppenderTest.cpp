#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "logging/appenders/CDailyFileAppender.h"
#include "logging/appenders/CDailyRollingFileAppender.h"
#include "logging/core/TimeFormat.h"
#include "tests/support/SettableClock.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;
using testsupport::ReadFile;
namespace fs = std::filesystem;

namespace {

// Header "H|", records "<message>;", footer "F|".
class MarkerLayout : public CLayoutSkeleton {
  public:
    bool FormatHeader(std::string& text, std::string_view, std::string_view) override {
        text = "H|";
        return true;
    }
    bool FormatFooter(std::string& text, std::string_view, std::string_view) override {
        text = "F|";
        return true;
    }
    bool Format(const CLoggingEvent& event, std::string& text) override {
        text.assign(event.Message.view());
        text += ';';
        return true;
    }
};

bool Log(CAppenderSkeleton& appender, const std::string& message) {
    CLoggingEvent event;
    event.Message = message;
    event.Level = Levels::Error;
    return appender.DoAppend(event);
}

template <typename Appender>
struct DailyFixture {
    testsupport::SettableClock clock;
    testsupport::TemporaryDirectory directory;
    MarkerLayout layout;
    Appender appender{"daily", Levels::All};

    explicit DailyFixture(const char* pattern = nullptr) {
        clock.SetLocalTime(2011, 5, 4, 23, 59, 59, 500);
        appender.Layout = &layout;
        appender.SetParam("File", directory.File("app.log"));
        if (pattern)
            appender.SetParam("DatePattern", pattern);
    }
    bool Start() {
        std::string error;
        bool started = appender.Start(error);
        EXPECT_TRUE(started) << error;
        return started;
    }
    std::string Read(const std::string& name) const { return ReadFile(directory.File(name)); }
    bool Exists(const std::string& name) const { return fs::exists(directory.File(name)); }
};

}  // namespace

TEST(DailyFileAppender, SwitchesAtMidnight) {
    DailyFixture<CDailyFileAppender> f;
    EXPECT_STREQ("DailyFileAppender", f.appender.GetClassName());
    EXPECT_EQ("'.'yyyy-MM-dd", f.appender.GetParam("datepattern"));
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(f.directory.File("app.2011-05-04.log"), f.appender.GetParam("FileNameCurrent"));
    EXPECT_TRUE(Log(f.appender, "late"));
    f.clock.Advance(499);  // 23:59:59,999: same day
    Log(f.appender, "later");
    f.clock.Advance(1);  // midnight
    Log(f.appender, "early");
    EXPECT_EQ("H|late;later;F|", f.Read("app.2011-05-04.log"));
    EXPECT_EQ("H|early;", f.Read("app.2011-05-05.log"));
    EXPECT_EQ(f.directory.File("app.2011-05-05.log"), f.appender.GetParam("FileCurrent"));
    EXPECT_FALSE(f.Exists("app.log"));
}

TEST(DailyFileAppender, PatternsAndNames) {
    DailyFixture<CDailyFileAppender> hourly("'.'yyyy-MM-dd-HH");
    ASSERT_TRUE(hourly.Start());
    Log(hourly.appender, "a");
    hourly.clock.SetLocalTime(2011, 5, 5, 0, 59, 0);
    Log(hourly.appender, "b");
    hourly.clock.SetLocalTime(2011, 5, 5, 1, 0, 0);
    Log(hourly.appender, "c");
    EXPECT_EQ("H|a;F|", hourly.Read("app.2011-05-04-23.log"));
    EXPECT_EQ("H|b;F|", hourly.Read("app.2011-05-05-00.log"));
    EXPECT_EQ("H|c;", hourly.Read("app.2011-05-05-01.log"));

    DailyFixture<CDailyFileAppender> bare("yyyyMMdd");
    ASSERT_TRUE(bare.Start());
    EXPECT_EQ(bare.directory.File("app20110504.log"), bare.appender.GetParam("FileNameCurrent"));

    DailyFixture<CDailyFileAppender> constant("'-fixed'");
    ASSERT_TRUE(constant.Start());
    Log(constant.appender, "a");
    constant.clock.Advance(3 * 86400000u);
    Log(constant.appender, "b");
    EXPECT_EQ("H|a;b;", constant.Read("app-fixed.log"));

    CDailyFileAppender names("n", Levels::All);
    names.SetParam("File", "C:\\logs\\app.log");
    EXPECT_EQ("C:\\logs\\app" + FormatCurrentTime("'.'yyyy-MM-dd") + ".log", names.BuildFileName());
    names.SetParam("File", "C:\\logs.d\\app");
    names.SetParam("DatePattern", "'_'yyyy");
    EXPECT_EQ("C:\\logs.d\\app_" + FormatCurrentTime("yyyy"), names.BuildFileName());
    names.SetParam("File", "");
    EXPECT_EQ("", names.BuildFileName());
    std::string error;
    EXPECT_FALSE(names.Start(error));
    EXPECT_EQ("unable to open file, no filename specified (Appender:n)", error);
}

TEST(DailyFileAppender, RestartsWithinAndAcrossPeriods) {
    DailyFixture<CDailyFileAppender> f;
    ASSERT_TRUE(f.Start());
    Log(f.appender, "a");
    std::string error;
    f.appender.Stop(error);
    ASSERT_TRUE(f.Start());  // same day, appended: the day's file continues
    Log(f.appender, "b");
    f.appender.Stop(error);
    EXPECT_EQ("H|a;F|H|b;F|", f.Read("app.2011-05-04.log"));

    // A file of the next day's name already there is emptied at the switch.
    std::ofstream(f.directory.File("app.2011-05-05.log")) << "stale";
    ASSERT_TRUE(f.Start());
    f.clock.Advance(1000);
    Log(f.appender, "c");
    EXPECT_EQ("H|c;", f.Read("app.2011-05-05.log"));
}

TEST(DailyRollingFileAppender, RollsAtMidnight) {
    DailyFixture<CDailyRollingFileAppender> f;
    EXPECT_STREQ("DailyRollingFileAppender", f.appender.GetClassName());
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(".2011-05-04", f.appender.CurrentPeriod);
    EXPECT_EQ(f.directory.File("app.log"), f.appender.GetParam("FileNameCurrent"));
    Log(f.appender, "late");
    f.clock.Advance(500);
    EXPECT_TRUE(Log(f.appender, "early"));
    EXPECT_EQ("H|late;F|", f.Read("app.2011-05-04.log"));
    EXPECT_EQ("H|early;", f.Read("app.log"));
    EXPECT_EQ(".2011-05-05", f.appender.CurrentPeriod);

    // Restarted the same day: continued; the next day renames the whole file.
    std::string error;
    f.appender.Stop(error);
    ASSERT_TRUE(f.Start());
    Log(f.appender, "again");
    f.clock.Advance(86400000u);
    Log(f.appender, "next");
    EXPECT_EQ("H|early;F|H|again;F|", f.Read("app.2011-05-05.log"));
    EXPECT_EQ("H|next;", f.Read("app.log"));
}

TEST(DailyRollingFileAppender, FailedRenameKeepsEveryRecord) {
    // An hourly pattern whose text repeats each day: the second time round the dated
    // name is taken, and the file is kept rather than emptied or put over the old one.
    DailyFixture<CDailyRollingFileAppender> f("'.'HH");
    f.clock.SetLocalTime(2011, 5, 4, 10, 30, 0);
    ASSERT_TRUE(f.Start());
    Log(f.appender, "a");
    f.clock.SetLocalTime(2011, 5, 4, 11, 0, 0);
    Log(f.appender, "b");
    EXPECT_EQ("H|a;F|", f.Read("app.10.log"));
    f.clock.SetLocalTime(2011, 5, 5, 10, 0, 0);
    std::ofstream(f.directory.File("app.11.log")) << "taken";
    Log(f.appender, "c");  // app.log cannot become app.11.log
    EXPECT_EQ("taken", f.Read("app.11.log"));
    EXPECT_EQ("H|b;c;", f.Read("app.log"));
    EXPECT_EQ(".10", f.appender.CurrentPeriod);
    f.clock.SetLocalTime(2011, 5, 5, 12, 0, 0);
    fs::remove(f.directory.File("app.10.log"));
    Log(f.appender, "d");  // the next change renames it after the period it holds now
    EXPECT_EQ("H|b;c;F|", f.Read("app.10.log"));
    EXPECT_EQ("H|d;", f.Read("app.log"));
}
