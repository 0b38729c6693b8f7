#include "platform/shell/FileTimeConversion.h"

namespace platform::shell {
namespace {

constexpr int64_t TicksPerMillisecond = 10000;
constexpr int64_t TicksPerDay = 86400000LL * TicksPerMillisecond;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t DaysFrom1601To1970 = 134774;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days since 1970-01-01 of a civil date, and back.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool FileTimeFromDateTime(const DateTime& time, FileTime& fileTime) {
    if (time.Year < 1601 || time.Year > 30827 || time.Month < 1 || time.Month > 12 ||
        time.Day < 1 || time.Day > DaysInMonth(time.Year, time.Month) || time.Hour < 0 ||
        time.Hour > 23 || time.Minute < 0 || time.Minute > 59 || time.Second < 0 ||
        time.Second > 59 || time.Millisecond < 0 || time.Millisecond > 999)
        return false;
    int64_t days = DaysFromCivil(time.Year, time.Month, time.Day) + DaysFrom1601To1970;
    int64_t milliseconds =
        ((time.Hour * 60LL + time.Minute) * 60 + time.Second) * 1000 + time.Millisecond;
    fileTime = static_cast<FileTime>(days * TicksPerDay + milliseconds * TicksPerMillisecond);
    return true;
}

DateTime DateTimeFromFileTime(FileTime fileTime) {
    int64_t days = static_cast<int64_t>(fileTime / TicksPerDay) - DaysFrom1601To1970;
    int64_t ofDay = static_cast<int64_t>(fileTime % TicksPerDay) / TicksPerMillisecond;
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

}  // namespace platform::shell
