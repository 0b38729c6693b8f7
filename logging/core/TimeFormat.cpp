#include "logging/core/TimeFormat.h"

#include <cstring>

#include "logging/core/Text.h"

namespace scrivlog {
namespace {

// Appends `value` as printf's "%0<width>d" would: zero-padded on the left to at least
// `width` characters, the minus sign counting towards the width and leading the zeros.
void AppendNumber(std::string& out, long long value, size_t width) {
    char digits[24];
    size_t count = 0;
    unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    size_t length = count + (value < 0 ? 1 : 0);
    if (value < 0)
        out += '-';
    if (width > length)
        out.append(width - length, '0');
    while (count > 0)
        out += digits[--count];
}

// Appends `text` right-aligned in `width` characters, padded on the left with '0'.
void AppendPaddedText(std::string& out, const char* text, size_t width) {
    size_t length = std::strlen(text);
    if (width > length)
        out.append(width - length, '0');
    out += text;
}

void AppendField(std::string& out, const platform::DateTime& time, char field, size_t count) {
    switch (field) {
        case 'y':
            AppendNumber(out, count <= 2 ? time.Year - 2000 : time.Year, count);
            break;
        case 'M':
            if (count <= 2)
                AppendNumber(out, time.Month, count);
            else
                AppendPaddedText(out, MonthName(time.Month, count >= 4), count);
            break;
        case 'd':
            AppendNumber(out, time.Day, count);
            break;
        case 'H':
            AppendNumber(out, time.Hour, count);
            break;
        case 'h':
            AppendNumber(out, time.Hour % 12 == 0 ? 12 : time.Hour % 12, count);
            break;
        case 'm':
            AppendNumber(out, time.Minute, count);
            break;
        case 's':
            AppendNumber(out, time.Second, count);
            break;
        case 'S':
            AppendNumber(out, time.Millisecond, count);
            break;
        case 'a':
            out += time.Hour < 12 ? "AM" : "PM";
            break;
        default:
            out += field;
            break;
    }
}

void AppendDatePattern(std::string& out, const platform::DateTime& time, std::string_view pattern) {
    size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        if (c == '\'') {
            // Literal text up to the closing quote; a doubled quote inside writes one.
            for (++i; i < pattern.size(); ++i) {
                if (pattern[i] != '\'') {
                    out += pattern[i];
                } else if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                    out += '\'';
                    ++i;
                } else {
                    ++i;  // the closing quote
                    break;
                }
            }
            continue;
        }
        size_t runEnd = i + 1;
        while (runEnd < pattern.size() && pattern[runEnd] == c)
            ++runEnd;
        AppendField(out, time, c, runEnd - i);
        i = runEnd;
    }
}

// "YYYY-MM-DD" style fixed-width pieces without printf.
void Append2(std::string& out, int value) {
    if (value >= 0 && value < 100) {
        out += static_cast<char>('0' + value / 10);
        out += static_cast<char>('0' + value % 10);
    } else {
        AppendNumber(out, value, 2);
    }
}

void AppendClock(std::string& out, const platform::DateTime& time) {
    Append2(out, time.Hour);
    out += ':';
    Append2(out, time.Minute);
    out += ':';
    Append2(out, time.Second);
}

}  // namespace

void AppendFormattedTime(std::string& out, const platform::DateTime& time,
                         std::string_view format) {
    if (format.empty() || EqualsIgnoreCase(format, "ISO8601")) {
        AppendNumber(out, time.Year, 4);
        out += '-';
        Append2(out, time.Month);
        out += '-';
        Append2(out, time.Day);
        out += ' ';
        AppendClock(out, time);
        out += ',';
        AppendNumber(out, time.Millisecond, 3);
    } else if (EqualsIgnoreCase(format, "YY_MM_dd_HH_mm_ss")) {
        Append2(out, time.Year - 2000);
        out += '-';
        Append2(out, time.Month);
        out += '-';
        Append2(out, time.Day);
        out += ' ';
        AppendClock(out, time);
    } else if (EqualsIgnoreCase(format, "ABSOLUTE")) {
        AppendClock(out, time);
        out += ',';
        AppendNumber(out, time.Millisecond, 3);
    } else {
        AppendDatePattern(out, time, format);
    }
}

std::string FormatCurrentTime(std::string_view format) {
    std::string text;
    AppendFormattedTime(text, platform::LocalTime(), format);
    return text;
}

const char* MonthName(int month, bool full) {
    static const char* const fullNames[] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "Aughust",
                                            "September", "October",  "November", "December"};
    static const char* const shortNames[] = {"Jan.", "Feb.", "Mar.", "Apr.", "May.", "Jun.",
                                             "Jul.", "Aug.", "Sep.", "Oct.", "Nov.", "Dec."};
    if (month < 1 || month > 12)
        return "[UnknownMonth]";
    return full ? fullNames[month - 1] : shortNames[month - 1];
}

}  // namespace scrivlog
