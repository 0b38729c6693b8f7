#include "platform/Clock.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<ClockSource*> g_clockSource{nullptr};
}

void SetClockSource(ClockSource* source) {
    g_clockSource.store(source, std::memory_order_release);
}

DateTime LocalTime() {
    ClockSource* source = g_clockSource.load(std::memory_order_acquire);
    return source ? source->LocalTime() : system_clock::LocalTime();
}

DateTime UtcTime() {
    ClockSource* source = g_clockSource.load(std::memory_order_acquire);
    return source ? source->UtcTime() : system_clock::UtcTime();
}

uint32_t TickCount() {
    ClockSource* source = g_clockSource.load(std::memory_order_acquire);
    return source ? source->TickCount() : system_clock::TickCount();
}

void Sleep(uint32_t milliseconds) {
    ClockSource* source = g_clockSource.load(std::memory_order_acquire);
    if (source)
        source->Sleep(milliseconds);
    else
        system_clock::Sleep(milliseconds);
}

}  // namespace platform
