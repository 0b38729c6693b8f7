#include "platform/Clock.h"

#include <cerrno>
#include <ctime>

namespace platform::system_clock {
namespace {

DateTime FromTm(const std::tm& tm, long nanoseconds) {
    DateTime result;
    result.Year = tm.tm_year + 1900;
    result.Month = tm.tm_mon + 1;
    result.DayOfWeek = tm.tm_wday;
    result.Day = tm.tm_mday;
    result.Hour = tm.tm_hour;
    result.Minute = tm.tm_min;
    result.Second = tm.tm_sec;
    result.Millisecond = static_cast<int>(nanoseconds / 1000000);
    return result;
}

// Converting to local time consults the time zone on every call; within one second
// the answer cannot change (zone offsets change on whole seconds), so each thread
// keeps the last second it converted.
struct SecondCache {
    time_t second = -1;
    std::tm tm{};
};

}  // namespace

DateTime LocalTime() {
    static thread_local SecondCache cache;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (now.tv_sec != cache.second) {
        localtime_r(&now.tv_sec, &cache.tm);
        cache.second = now.tv_sec;
    }
    return FromTm(cache.tm, now.tv_nsec);
}

DateTime UtcTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm tm{};
    gmtime_r(&now.tv_sec, &tm);
    return FromTm(tm, now.tv_nsec);
}

uint32_t TickCount() {
    // The coarse clock is read without a hardware counter, in a few nanoseconds; its
    // resolution (a scheduler tick, 1-10 ms) is finer than Windows' tick count's.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    uint64_t milliseconds =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(milliseconds);
}

void Sleep(uint32_t milliseconds) {
    timespec remaining{static_cast<time_t>(milliseconds / 1000),
                       static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

}  // namespace platform::system_clock
