#include "platform/shell/FileTimeConversion.h"

#include "platform/CivilDate.h"

namespace platform::shell {
namespace {

constexpr int64_t TicksPerMillisecond = 10000;
constexpr int64_t TicksPerDay = 86400000LL * TicksPerMillisecond;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t DaysFrom1601To1970 = 134774;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
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
    return CivilFromMilliseconds(static_cast<int64_t>(fileTime / TicksPerMillisecond) -
                                 DaysFrom1601To1970 * 86400000LL);
}

}  // namespace platform::shell
