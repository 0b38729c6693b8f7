// Calendar times to file times and back: the arithmetic of SystemTimeToFileTime and
// FileTimeToSystemTime (proleptic Gregorian calendar, years 1601 to 30827), with no
// time zone involved.
#pragma once

#include "platform/Clock.h"
#include "platform/shell/ShellServices.h"

namespace platform::shell {

// False when a field is out of range (month 13, February 30, hour 24...).
bool FileTimeFromDateTime(const DateTime& time, FileTime& fileTime);
DateTime DateTimeFromFileTime(FileTime fileTime);
// The number of days of a month (1-12) of a year.
int DaysInMonth(int year, int month);

}  // namespace platform::shell
