#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "logging/appenders/CSlowResAppender.h"
#include "logging/core/CLogger.h"
#include "logging/core/CSimpleLayout.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;

namespace {

// Refuses every record, as a filtering layout does.
class RefusingLayout : public CSimpleLayout {
  public:
    bool Format(const CLoggingEvent&, std::string&) override { return false; }
};

}  // namespace

TEST(SlowResAppender, PausesHalfBeforeAndHalfAfterEachRecord) {
    testsupport::SettableClock clock;
    CSlowResAppender appender("slow", Levels::All);
    EXPECT_STREQ("SlowResourceAppender", appender.GetClassName());
    EXPECT_EQ("100", appender.GetParam("TimeOut"));
    CLoggingEvent event;
    event.Message.assign("m");

    EXPECT_FALSE(appender.DoAppend(event));  // not opened: no pause
    EXPECT_TRUE(clock.Sleeps().empty());

    std::string error;
    ASSERT_TRUE(appender.Start(error));
    testing::internal::CaptureStdout();
    EXPECT_TRUE(appender.DoAppend(event));
    std::fflush(stdout);
    EXPECT_EQ("m\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ((std::vector<uint32_t>{50, 50}), clock.Sleeps());

    struct Case {
        const char* timeOut;
        std::vector<uint32_t> pauses;
        const char* reported;
    } cases[] = {{"101", {50, 50}, "101"}, {"3", {1, 1}, "3"},        {"1", {}, "1"},
                 {"0", {}, "0"},           {"-40", {}, "4294967256"},  // no length, no pause
                 {"junk", {}, "0"}};
    testing::internal::CaptureStdout();
    for (const Case& c : cases) {
        EXPECT_TRUE(appender.SetParam("timeout", c.timeOut));
        EXPECT_EQ(c.reported, appender.GetParam("TimeOut"));
        size_t before = clock.Sleeps().size();
        EXPECT_TRUE(appender.DoAppend(event));
        std::vector<uint32_t> pauses = clock.Sleeps();
        pauses.erase(pauses.begin(), pauses.begin() + before);
        EXPECT_EQ(c.pauses, pauses) << c.timeOut;
    }
    std::fflush(stdout);
    EXPECT_EQ(6 * std::string("m\n").size(), testing::internal::GetCapturedStdout().size());

    // A record that the layout refuses still takes its time, and counts as taken.
    RefusingLayout refusing;
    appender.Layout = &refusing;
    appender.SetParam("TimeOut", "20");
    testing::internal::CaptureStdout();
    EXPECT_TRUE(appender.DoAppend(event));
    std::fflush(stdout);
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_EQ(10u, clock.Sleeps().back());
    EXPECT_TRUE(appender.SetParam("Threshold", "info"));
    EXPECT_FALSE(appender.SetParam("MaxLines", "3"));
}
