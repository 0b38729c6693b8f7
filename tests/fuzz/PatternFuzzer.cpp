// The pattern layout with an arbitrary pattern and message (the input up to its first
// zero byte, and what follows it). A pattern without conversions or escapes formats to
// itself, and "%m" to the message.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logging/core/CLoggingEvent.h"
#include "logging/layouts/CPatternLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t zero = input.find('\0');
    std::string_view pattern = input.substr(0, zero);
    std::string_view message = zero == std::string_view::npos ? "" : input.substr(zero + 1);
    message = message.substr(0, message.find('\0'));  // a message is zero-terminated text

    scrivlog::CLoggingEvent event;
    event.Message = message;
    event.Category = "com.example.fuzz";
    event.ThreadName = "42";
    event.Level = scrivlog::Levels::Error;
    scrivlog::CPatternLayout layout;
    std::string text;
    layout.SetConversionPattern(pattern);
    layout.Format(event, text);
    if (pattern.find_first_of("%\\") == std::string_view::npos && text != pattern)
        __builtin_trap();

    layout.SetConversionPattern("%m");
    text.clear();
    if (!layout.Format(event, text) || text != message)
        __builtin_trap();
    return 0;
}
