#include "tests/support/SettableClock.h"

#include "platform/CivilDate.h"

namespace testsupport {
namespace {

constexpr int64_t MillisecondsPerDay = 86400000;

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
    m_localMilliseconds = platform::DaysFromCivil(year, month, day) * MillisecondsPerDay +
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
    return platform::CivilFromMilliseconds(m_localMilliseconds);
}

platform::DateTime SettableClock::UtcTime() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return platform::CivilFromMilliseconds(m_localMilliseconds - m_utcOffsetMinutes * 60000LL);
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
