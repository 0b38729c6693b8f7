// Environment expansion of a file appender's name: any text expands without fault, a
// name without references is kept as it is, and one whose every "%" is doubled (and
// that holds no "$") comes back with single ones.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logging/appenders/CFileAppender.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view name(reinterpret_cast<const char*>(data), size);
    scrivlog::CFileAppender appender("fuzz", scrivlog::Levels::All);
    appender.SetParam("File", name);
    if (name.find('$') != std::string_view::npos)
        return 0;
    if (name.find('%') == std::string_view::npos && appender.BuildFileName() != name)
        __builtin_trap();
    // For a name without "%" the doubled one is the name itself.
    std::string doubled;
    for (char c : name)
        doubled += c == '%' ? std::string("%%") : std::string(1, c);
    appender.SetParam("File", doubled);
    if (appender.GetParam("File") != name)
        __builtin_trap();
    return 0;
}
