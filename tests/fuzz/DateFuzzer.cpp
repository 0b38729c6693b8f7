// Date patterns under a clock fixed by the first bytes of the input: any pattern formats
// without fault, and any text in single quotes (a quote written as two) formats to itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logging/core/TimeFormat.h"
#include "platform/Clock.h"

namespace {

class FixedClock : public platform::ClockSource {
  public:
    platform::DateTime LocalTime() override { return time; }
    platform::DateTime UtcTime() override { return time; }
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override {}
    platform::DateTime time;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FixedClock clock;
    platform::SetClockSource(&clock);
    auto take = [&](int range) {
        int value = size > 0 ? *data % range : 0;
        if (size > 0)
            ++data, --size;
        return value;
    };
    clock.time.Year = 1601 + take(256) * 3;
    clock.time.Month = 1 + take(12);
    clock.time.Day = 1 + take(31);
    clock.time.Hour = take(24);
    clock.time.Minute = take(60);
    clock.time.Second = take(60);
    clock.time.Millisecond = take(250) * 4;
    std::string_view pattern(reinterpret_cast<const char*>(data), size);

    scrivlog::FormatCurrentTime(pattern);

    std::string quoted = "'";
    for (char c : pattern)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    quoted += '\'';
    if (scrivlog::FormatCurrentTime(quoted) != pattern)
        __builtin_trap();
    return 0;
}
