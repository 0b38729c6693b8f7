// A clock that tests set and move by hand. While it lives it replaces the system clock
// for everything that reads the time, the tick count or sleeps; Sleep does not wait, it
// records the pause and moves the clock forward by it.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/CivilDate.h"
#include "platform/Clock.h"

namespace testsupport {

class SettableClock : public platform::ClockSource {
  public:
    // Starts at 2011-03-14 09:26:53,589 local time, UTC equal to local, tick count 1000.
    SettableClock() {
        SetLocalTime(2011, 3, 14, 9, 26, 53, 589);
        platform::SetClockSource(this);
    }
    ~SettableClock() override { platform::SetClockSource(nullptr); }

    void SetLocalTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond = 0) {
        m_localMilliseconds = platform::DaysFromCivil(year, month, day) * 86400000LL +
                              ((hour * 60 + minute) * 60 + second) * 1000LL + millisecond;
    }
    // Local time minus UTC, in minutes.
    void SetUtcOffsetMinutes(int minutes) { m_utcOffsetMinutes = minutes; }
    void SetTickCount(uint32_t ticks) { m_ticks = ticks; }
    // Moves the date, the time and the tick count forward.
    void Advance(uint32_t milliseconds) {
        m_localMilliseconds += milliseconds;
        m_ticks += milliseconds;
    }
    std::vector<uint32_t> Sleeps() const {
        std::lock_guard<std::mutex> guard(m_sleepsLock);
        return m_sleeps;
    }

    platform::DateTime LocalTime() override {
        return platform::CivilFromMilliseconds(m_localMilliseconds);
    }
    platform::DateTime UtcTime() override {
        return platform::CivilFromMilliseconds(m_localMilliseconds - m_utcOffsetMinutes * 60000LL);
    }
    uint32_t TickCount() override { return m_ticks; }
    void Sleep(uint32_t milliseconds) override {
        {
            std::lock_guard<std::mutex> guard(m_sleepsLock);
            m_sleeps.push_back(milliseconds);
        }
        Advance(milliseconds);
    }

  private:
    // Read from any thread; the clock is set from the test's own.
    std::atomic<int64_t> m_localMilliseconds{0};  // since 1970-01-01 00:00 local civil time
    std::atomic<int> m_utcOffsetMinutes{0};
    std::atomic<uint32_t> m_ticks{1000};
    mutable std::mutex m_sleepsLock;
    std::vector<uint32_t> m_sleeps;
};

}  // namespace testsupport
