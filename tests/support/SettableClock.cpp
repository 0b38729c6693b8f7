#include "tests/support/SettableClock.h"

namespace testsupport {
namespace {

constexpr int64_t MillisecondsPerDay = 86400000;

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

platform::DateTime FromMilliseconds(int64_t milliseconds) {
    int64_t days = milliseconds >= 0 ? milliseconds / MillisecondsPerDay
                                     : (milliseconds - MillisecondsPerDay + 1) / MillisecondsPerDay;
    int64_t ofDay = milliseconds - days * MillisecondsPerDay;
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t dayOfEra = z - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    platform::DateTime time;
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

}  // namespace

SettableClock::SettableClock() {
    SetLocalTime(2011, 3, 14, 9, 26, 53, 589);
    platform::SetClockSource(this);
}

SettableClock::~SettableClock() {
    platform::SetClockSource(nullptr);
}

void SettableClock::SetLocalTime(int year, int month, int day, int hour, int minute, int second,
                                 int millisecond) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_localMilliseconds = DaysFromCivil(year, month, day) * MillisecondsPerDay +
                          ((hour * 60 + minute) * 60 + second) * 1000LL + millisecond;
}

void SettableClock::SetUtcOffsetMinutes(int minutes) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_utcOffsetMinutes = minutes;
}

void SettableClock::SetTickCount(uint32_t ticks) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_ticks = ticks;
}

void SettableClock::Advance(uint32_t milliseconds) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_localMilliseconds += milliseconds;
    m_ticks += milliseconds;
}

std::vector<uint32_t> SettableClock::Sleeps() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_sleeps;
}

platform::DateTime SettableClock::LocalTime() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return FromMilliseconds(m_localMilliseconds);
}

platform::DateTime SettableClock::UtcTime() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return FromMilliseconds(m_localMilliseconds - m_utcOffsetMinutes * 60000LL);
}

uint32_t SettableClock::TickCount() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_ticks;
}

void SettableClock::Sleep(uint32_t milliseconds) {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_sleeps.push_back(milliseconds);
    }
    Advance(milliseconds);
}

}  // namespace testsupport
