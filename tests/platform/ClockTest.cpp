#include <gtest/gtest.h>

#include <chrono>

#include "platform/Clock.h"
#include "tests/support/SettableClock.h"

TEST(Clock, ASettableClockReplacesTheSystemClockWhileItLives) {
    {
        testsupport::SettableClock clock;
        clock.SetLocalTime(2024, 2, 29, 23, 59, 59, 999);
        clock.SetUtcOffsetMinutes(60);
        clock.SetTickCount(7);
        platform::Sleep(3600000);  // returns at once, moves the clock
        platform::DateTime local = platform::LocalTime(), utc = platform::UtcTime();
        // 2024-03-01 00:59:59,999, a Friday; UTC is still the 29th of February, 23 h.
        EXPECT_EQ((std::vector<int>{2024, 3, 1, 0, 59, 59, 999, 5, 29, 23}),
                  (std::vector<int>{local.Year, local.Month, local.Day, local.Hour, local.Minute,
                                    local.Second, local.Millisecond, local.DayOfWeek, utc.Day,
                                    utc.Hour}));
        EXPECT_EQ(3600007u, platform::TickCount());
        EXPECT_EQ(std::vector<uint32_t>{3600000}, clock.Sleeps());
    }
    // The system clock again, which agrees with itself.
    platform::DateTime local = platform::LocalTime(), utc = platform::UtcTime();
    EXPECT_TRUE(local.Year >= 2020 && local.Month >= 1 && local.Month <= 12 &&
                local.Millisecond >= 0 && local.Millisecond <= 999);
    // Local and UTC differ by less than a day.
    int difference = std::abs(((local.Day - utc.Day) * 24 + local.Hour - utc.Hour) * 60 +
                              local.Minute - utc.Minute);
    EXPECT_TRUE(difference <= 14 * 60 || difference >= 26 * 24 * 60) << difference;
    // The tick count moves forward (its resolution may be coarse); Sleep really waits.
    uint32_t before = platform::TickCount();
    auto start = std::chrono::steady_clock::now();
    platform::Sleep(30);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(25));
    EXPECT_LT(platform::TickCount() - before, 5000u);
}
