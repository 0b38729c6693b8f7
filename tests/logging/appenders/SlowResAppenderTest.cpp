#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "logging/appenders/CSlowResAppender.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;

TEST(SlowResAppender, PausesHalfBeforeAndHalfAfterEachRecord) {
    testsupport::SettableClock clock;
    CSlowResAppender appender("slow", Levels::All);
    CLoggingEvent event;
    event.Message.assign("m");
    EXPECT_FALSE(appender.DoAppend(event));  // not opened: no pause
    std::string error;
    ASSERT_TRUE(appender.Start(error));

    // The time is split with integer division; a negative one has no length.
    struct Case {
        const char* timeOut;
        std::vector<uint32_t> pauses;
        const char* reported;
    } cases[] = {{nullptr, {50, 50}, "100"}, {"101", {50, 50}, "101"},
                 {"3", {1, 1}, "3"},         {"1", {}, "1"},
                 {"-40", {}, "4294967256"},  {"junk", {}, "0"}};
    testing::internal::CaptureStdout();
    for (const Case& c : cases) {
        if (c.timeOut)
            appender.SetParam("timeout", c.timeOut);  // checked by the value reported
        EXPECT_EQ(c.reported, appender.GetParam("TimeOut"));
        size_t before = clock.Sleeps().size();
        EXPECT_TRUE(appender.DoAppend(event));
        std::vector<uint32_t> pauses = clock.Sleeps();
        EXPECT_EQ(c.pauses, std::vector<uint32_t>(pauses.begin() + before, pauses.end()))
            << (c.timeOut ? c.timeOut : "default");
    }
    std::fflush(stdout);
    EXPECT_EQ("m\nm\nm\nm\nm\nm\n", testing::internal::GetCapturedStdout());
}
