#include "platform/Clock.h"

#include "platform/win32/SystemTime.h"

namespace platform::system_clock {

DateTime LocalTime() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return FromSystemTime(time);
}

DateTime UtcTime() {
    SYSTEMTIME time;
    GetSystemTime(&time);
    return FromSystemTime(time);
}

uint32_t TickCount() {
    return GetTickCount();
}

void Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace platform::system_clock
