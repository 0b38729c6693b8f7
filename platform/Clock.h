// The clock of the system: local and UTC time with milliseconds, the millisecond tick
// count and sleeping. Everything that reads the time or pauses goes through here, so
// that tests can put a clock of their own in place (SetClockSource) and move time
// forward without waiting for it.
#pragma once

#include <cstdint>

namespace platform {

// A broken-down calendar time, as the system's SYSTEMTIME gives it.
struct DateTime {
    int Year = 1601;
    int Month = 1;      // 1-12
    int DayOfWeek = 0;  // 0 = Sunday
    int Day = 1;        // 1-31
    int Hour = 0;       // 0-23
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

DateTime LocalTime();
DateTime UtcTime();
// Milliseconds since an arbitrary start, advancing in steps of the system tick (a few
// milliseconds, as GetTickCount does); wraps after 2^32 ms.
uint32_t TickCount();
void Sleep(uint32_t milliseconds);

// A replacement clock. Installed with SetClockSource, it answers every call above.
class ClockSource {
  public:
    virtual ~ClockSource() = default;
    virtual DateTime LocalTime() = 0;
    virtual DateTime UtcTime() = 0;
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// Installs a replacement clock; nullptr restores the system clock. The caller keeps
// ownership and must keep the source alive while it is installed.
void SetClockSource(ClockSource* source);

namespace system_clock {
// The system's own clock, bypassing any replacement.
DateTime LocalTime();
DateTime UtcTime();
uint32_t TickCount();
void Sleep(uint32_t milliseconds);
}  // namespace system_clock

}  // namespace platform
