#include "platform/SystemErrors.h"

#include <windows.h>

namespace platform {

uint32_t LastSystemErrorCode() {
    return GetLastError();
}

void SetLastSystemErrorCode(uint32_t code) {
    SetLastError(code);
}

bool SystemErrorMessage(uint32_t code, std::string& text) {
    char* message = nullptr;
    // Many messages hold inserts ("%1 is not a valid Win32 application."); without
    // arguments the system refuses those unless asked to leave the inserts as they are.
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    if (length == 0 || !message) {
        if (message)
            LocalFree(message);
        return false;
    }
    text.assign(message, length);
    LocalFree(message);
    return true;
}

}  // namespace platform
