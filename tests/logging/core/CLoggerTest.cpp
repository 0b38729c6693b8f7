#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "logging/core/CLogger.h"
#include "platform/Environment.h"
#include "tests/support/RecordingAppender.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;
using testsupport::RecordingAppender;
using testsupport::SettableClock;

namespace {

// Which of the levels a logger and an appender with these thresholds let through.
std::vector<Level> Delivered(Level loggerThreshold, Level appenderThreshold, bool active = true) {
    RecordingAppender appender("A", appenderThreshold);
    appender.Active = active;
    CLogger logger("test", loggerThreshold, true);
    logger.AddAppender(&appender);
    std::vector<Level> levels;
    for (Level level : {-3, -2, -1, 0, 300, 700, 900, 1000, 1001, 9997, 9998, 9999, 20000})
        logger.Log(level, "m");
    for (const auto& event : appender.Events)
        levels.push_back(event.Level);
    return levels;
}

}  // namespace

TEST(Logger, ThresholdRuleWithOffForceAndRaw) {
    using V = std::vector<Level>;
    // Off lets nothing from -1 upwards through (only the odd levels below it).
    EXPECT_EQ((V{-3, -2, 9998, 9999, 20000}), Delivered(Levels::Off, Levels::All));
    EXPECT_EQ((V{-3, -2, 9998, 9999, 20000}), Delivered(Levels::All, Levels::Off));
    EXPECT_EQ((V{-3, -2, -1, 0, 300, 9998, 9999, 20000}), Delivered(Levels::Error, Levels::All));
    // The stricter of the two thresholds wins.
    EXPECT_EQ((V{-3, -2, -1, 0, 300, 9998, 9999, 20000}), Delivered(Levels::All, Levels::Error));
    EXPECT_EQ((V{-3, -2, -1, 0, 300, 700, 900, 1000, 9998, 9999, 20000}),
              Delivered(Levels::All, Levels::All));
    // Inactive: nothing at all, not even forced events.
    EXPECT_EQ(V{}, Delivered(Levels::All, Levels::All, false));
}

TEST(Logger, DeliversOneEventToEachAppenderInOrderWhateverOneOfThemDoes) {
    struct ThrowingAppender : RecordingAppender {
        bool DoAppend(const CLoggingEvent&) override { throw std::runtime_error("sink exploded"); }
    } bad;
    SettableClock clock;
    clock.SetTickCount(0xFFFFFF00u);  // the elapsed time wraps modulo 2^32
    RecordingAppender first("First"), second("Second"), closed("Closed", Levels::All, false);
    CLogger logger("com.example.Thing", Levels::Debug, true);
    logger.AddAppender(&first);
    logger.AddAppender(&closed);
    logger.AddAppender(&bad);  // neither escapes nor stops the delivery
    logger.AddAppender(&second);
    clock.Advance(1500);
    EXPECT_NO_THROW(EXPECT_TRUE(logger.LogError("disk %s at %d%%", "full", 99)));

    ASSERT_TRUE(first.Events.size() == 1 && second.Events.size() == 1 && closed.Events.empty());
    EXPECT_EQ("First", first.Events[0].AppenderName);
    EXPECT_EQ("Second", second.Events[0].AppenderName);
    EXPECT_EQ("RecordingAppender", first.Events[0].AppenderClassName);
    const auto& event = second.Events[0];
    EXPECT_EQ("disk full at 99%", event.Message);
    EXPECT_EQ("com.example.Thing", event.Category);
    EXPECT_EQ(std::to_string(platform::CurrentThreadId()), event.ThreadName);
    EXPECT_EQ(300, event.Level);
    EXPECT_EQ(1500u, event.ElapsedTime);
    // Without a layout the text is the message and one line feed.
    EXPECT_EQ("disk full at 99%\n", first.Texts[0]);
}

TEST(Logger, FrontEndsFormatAndCutAt65535Characters) {
    RecordingAppender appender;
    CLogger logger("x", Levels::Error, true);
    logger.AddAppender(&appender);
    EXPECT_TRUE(logger.LogDebug("below %d", 1));  // filtered by the logger
    logger.SetThreshold(Levels::All);
    EXPECT_TRUE(logger.LogDebug("%s|%5.2f|%lu", "a", 1.5, 42ul));
    EXPECT_TRUE(logger.Log(Levels::Info, nullptr));
    std::string exact(65535, 'e'), longer(100000, 'l');
    logger.LogError("%s", exact.c_str());
    logger.LogDebug("%s%s", longer.c_str(), "tail");
    logger.Log(Levels::Info, longer.c_str());  // Log itself takes any length
    // A lone "%s" and a format without conversions skip printf, with the same result.
    logger.LogError("%s", longer.c_str());
    logger.LogError("plain 100%% and plain");
    logger.LogError(longer.c_str(), 0);
    logger.LogError("ends%chere", 0);  // the text ends at its first zero
    std::vector<std::string> messages;
    for (const auto& event : appender.Events)
        messages.push_back(event.Message.str());
    const std::string cut(65535, 'l');
    EXPECT_EQ((std::vector<std::string>{"a| 1.50|42", "", exact, cut, longer, cut,
                                        "plain 100% and plain", cut, "ends"}),
              messages);
    EXPECT_EQ(700, appender.Events[0].Level);

    // A conversion that the C library refuses (a width beyond INT_MAX) logs the format.
    std::string unconvertible = std::to_string(2147483648u);
    unconvertible = "%" + unconvertible + "d|%s";
    char probe[8];
    if (std::snprintf(probe, sizeof probe, unconvertible.c_str(), 1, "x") < 0) {
        logger.LogError(unconvertible.c_str(), 1, "x");
        EXPECT_EQ(unconvertible, appender.Events.back().Message);
    }
}
