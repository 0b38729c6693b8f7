// Date patterns under a clock set by the first bytes of the input: any pattern formats
// without fault, and any text in single quotes (a quote written as two) formats to itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logging/core/TimeFormat.h"
#include "tests/support/SettableClock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static testsupport::SettableClock clock;
    auto take = [&](int range) {
        int value = size > 0 ? *data % range : 0;
        if (size > 0)
            ++data, --size;
        return value;
    };
    const int f[] = {take(256), take(12), take(31), take(24), take(60), take(60), take(250)};
    clock.SetLocalTime(1601 + f[0] * 3, 1 + f[1], 1 + f[2], f[3], f[4], f[5], f[6] * 4);
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
