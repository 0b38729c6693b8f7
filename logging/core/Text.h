// Small text helpers shared by the library.
#pragma once

#include <cstddef>
#include <string>
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

// Appends `value` in decimal, without printf.
inline void AppendDecimal(std::string& out, unsigned long value) {
    char digits[24];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        out += digits[--count];
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
