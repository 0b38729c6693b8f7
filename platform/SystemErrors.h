// System error codes and their texts: GetLastError and FormatMessage on Windows,
// errno and the C library's messages on POSIX.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

uint32_t LastSystemErrorCode();
void SetLastSystemErrorCode(uint32_t code);

// The system's message text for `code`, unaltered (a Windows text ends in "\r\n").
// False when the system has no text for the code.
bool SystemErrorMessage(uint32_t code, std::string& text);

}  // namespace platform
