// Conversions between the platform's DateTime and the system's SYSTEMTIME, for the
// Win32 implementations that read or set times.
#pragma once

#include <windows.h>

#include "platform/Clock.h"

namespace platform {

inline DateTime FromSystemTime(const SYSTEMTIME& system) {
    DateTime time;
    time.Year = system.wYear;
    time.Month = system.wMonth;
    time.DayOfWeek = system.wDayOfWeek;
    time.Day = system.wDay;
    time.Hour = system.wHour;
    time.Minute = system.wMinute;
    time.Second = system.wSecond;
    time.Millisecond = system.wMilliseconds;
    return time;
}

inline SYSTEMTIME ToSystemTime(const DateTime& time) {
    SYSTEMTIME system{};
    system.wYear = static_cast<WORD>(time.Year);
    system.wMonth = static_cast<WORD>(time.Month);
    system.wDayOfWeek = static_cast<WORD>(time.DayOfWeek);
    system.wDay = static_cast<WORD>(time.Day);
    system.wHour = static_cast<WORD>(time.Hour);
    system.wMinute = static_cast<WORD>(time.Minute);
    system.wSecond = static_cast<WORD>(time.Second);
    system.wMilliseconds = static_cast<WORD>(time.Millisecond);
    return system;
}

}  // namespace platform
