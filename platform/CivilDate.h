// Calendar arithmetic of the proleptic Gregorian calendar, counted from 1970-01-01:
// portable, no time zone and no system call involved.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace platform {

// Days since 1970-01-01 of a date (negative before it).
int64_t DaysFromCivil(int64_t year, int month, int day);
// The date, day of week and time of day of a count of milliseconds since 1970-01-01 00:00.
DateTime CivilFromMilliseconds(int64_t milliseconds);

}  // namespace platform
