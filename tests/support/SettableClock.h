// A clock that tests set and move by hand. While it lives it replaces the system clock
// for everything that reads the time, the tick count or sleeps; Sleep does not wait, it
// records the pause and moves the clock forward by it.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/Clock.h"

namespace testsupport {

class SettableClock : public platform::ClockSource {
  public:
    // Starts at 2011-03-14 09:26:53,589 local time, UTC equal to local, tick count 1000.
    SettableClock();
    ~SettableClock() override;

    void SetLocalTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond = 0);
    // Local time minus UTC, in minutes.
    void SetUtcOffsetMinutes(int minutes);
    void SetTickCount(uint32_t ticks);
    // Moves the date, the time and the tick count forward.
    void Advance(uint32_t milliseconds);
    std::vector<uint32_t> Sleeps() const;

    platform::DateTime LocalTime() override;
    platform::DateTime UtcTime() override;
    uint32_t TickCount() override;
    void Sleep(uint32_t milliseconds) override;

  private:
    mutable std::mutex m_mutex;
    int64_t m_localMilliseconds = 0;  // since 1970-01-01 00:00 local civil time
    int m_utcOffsetMinutes = 0;
    uint32_t m_ticks = 1000;
    std::vector<uint32_t> m_sleeps;
};

}  // namespace testsupport
