// System error texts, the line separator and the integer parser of configuration values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scrivlog {

// The first line of the system's message for `code`, then " [code]"; or
// "[Unknown error code:code]" when the system has no text for it.
std::string ErrorCodeToText(uint32_t code);

// ErrorCodeToText of the calling thread's last system error, read at the call.
std::string LastErrorText();

// "\r\n": the line end of the layouts.
constexpr const char* LineSeparator() {
    return "\r\n";
}

// Reads an integer as atol does: leading white space, an optional sign, decimal digits
// up to the first non-digit; 0 without digits. Values beyond 32 bits are clamped.
int32_t ParseInt(std::string_view text);

}  // namespace scrivlog
