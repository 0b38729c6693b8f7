#include "platform/SystemErrors.h"

#include <cerrno>
#include <cstring>

namespace platform {

uint32_t LastSystemErrorCode() {
    return static_cast<uint32_t>(errno);
}

void SetLastSystemErrorCode(uint32_t code) {
    errno = static_cast<int>(code);
}

bool SystemErrorMessage(uint32_t code, std::string& text) {
    // The C library names every errno value it knows; for any other number it makes
    // up "Unknown error N", which is no text of the system's.
    if (code > 4095)
        return false;
    char buffer[256];
    const char* message = strerror_r(static_cast<int>(code), buffer, sizeof buffer);
    if (!message || std::strncmp(message, "Unknown error", 13) == 0)
        return false;
    text = message;
    return true;
}

}  // namespace platform
