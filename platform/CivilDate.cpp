#include "platform/CivilDate.h"

namespace platform {
namespace {

constexpr int64_t MillisecondsPerDay = 86400000;

}  // namespace

int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

DateTime CivilFromMilliseconds(int64_t milliseconds) {
    int64_t days = milliseconds >= 0 ? milliseconds / MillisecondsPerDay
                                     : (milliseconds - MillisecondsPerDay + 1) / MillisecondsPerDay;
    int64_t ofDay = milliseconds - days * MillisecondsPerDay;
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t dayOfEra = z - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    DateTime time;
    time.Day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.Month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.Year = static_cast<int>(yearOfEra + era * 400 + (time.Month <= 2));
    time.DayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    time.Hour = static_cast<int>(ofDay / 3600000);
    time.Minute = static_cast<int>(ofDay / 60000 % 60);
    time.Second = static_cast<int>(ofDay / 1000 % 60);
    time.Millisecond = static_cast<int>(ofDay % 1000);
    return time;
}

}  // namespace platform
