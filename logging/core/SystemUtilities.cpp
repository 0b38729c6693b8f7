#include "logging/core/SystemUtilities.h"

#include <cstdio>

#include "platform/SystemErrors.h"

namespace scrivlog {

std::string ErrorCodeToText(uint32_t code) {
    std::string message;
    char number[32];
    if (!platform::SystemErrorMessage(code, message)) {
        std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(code));
        return std::string("[Unknown error code:") + number + "]";
    }
    size_t carriageReturn = message.find('\r');
    if (carriageReturn != std::string::npos)
        message.resize(carriageReturn);
    std::snprintf(number, sizeof number, " [%u]", static_cast<unsigned>(code));
    return message + number;
}

std::string LastErrorText() {
    return ErrorCodeToText(platform::LastSystemErrorCode());
}

int32_t ParseInt(std::string_view text) {
    size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t limit = int64_t{1} << 32;  // beyond either end of 32 bits
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < limit)
            value = value * 10 + (text[i] - '0');
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace scrivlog
