// Small text helpers shared by the library.
#pragma once

#include <cstddef>
#include <string_view>

namespace scrivlog {

constexpr char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Equality that folds the ASCII letters A-Z to a-z and nothing else.
inline bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i]))
            return false;
    return true;
}

}  // namespace scrivlog

// printf-style argument checking. MinGW builds use the C99 printf of the MinGW runtime
// (__USE_MINGW_ANSI_STDIO), whose conversions are those of gnu_printf.
#if defined(__MINGW32__)
#define SCRIVLOG_PRINTF(formatIndex, firstArgument) \
    __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#elif defined(__GNUC__)
#define SCRIVLOG_PRINTF(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define SCRIVLOG_PRINTF(formatIndex, firstArgument)
#endif
