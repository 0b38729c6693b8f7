#include "platform/Clock.h"

#include <windows.h>

namespace platform::system_clock {
namespace {

DateTime FromSystemTime(const SYSTEMTIME& time) {
    DateTime result;
    result.Year = time.wYear;
    result.Month = time.wMonth;
    result.DayOfWeek = time.wDayOfWeek;
    result.Day = time.wDay;
    result.Hour = time.wHour;
    result.Minute = time.wMinute;
    result.Second = time.wSecond;
    result.Millisecond = time.wMilliseconds;
    return result;
}

}  // namespace

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
