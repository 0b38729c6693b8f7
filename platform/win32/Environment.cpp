#include "platform/Environment.h"

#include <windows.h>

#include <string>

namespace platform {

bool GetEnvironmentValue(std::string_view name, std::string& value) {
    std::string key(name);
    char buffer[1024];
    DWORD length = GetEnvironmentVariableA(key.c_str(), buffer, sizeof buffer);
    if (length == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND)
            return false;
        value.clear();  // set, but empty
        return true;
    }
    if (length < sizeof buffer) {
        value.assign(buffer, length);
        return true;
    }
    // Too long for the stack buffer: `length` is the size needed, zero included.
    std::string large(length, '\0');
    DWORD written = GetEnvironmentVariableA(key.c_str(), &large[0], length);
    if (written == 0 || written >= length)
        return false;
    large.resize(written);
    value = std::move(large);
    return true;
}

std::string ExecutablePath() {
    char path[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return {};
    return std::string(path, length);
}

uint32_t CurrentThreadId() {
    return GetCurrentThreadId();
}

}  // namespace platform
