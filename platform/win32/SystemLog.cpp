#include "platform/SystemLog.h"

#include <windows.h>

namespace platform::system_log {

SystemLogSource Register(const std::string& name) {
    return RegisterEventSourceA(nullptr, name.c_str());
}

bool Deregister(SystemLogSource source) {
    return DeregisterEventSource(source) != FALSE;
}

bool Report(SystemLogSource source, SystemLogType type, uint16_t category, uint32_t eventId,
            std::string_view text) {
    if (!source)
        return false;
    std::string copy(text);  // the event log takes zero-terminated strings
    const char* strings[1] = {copy.c_str()};
    return ReportEventA(source, static_cast<WORD>(type), category, eventId, nullptr, 1, 0, strings,
                        nullptr) != FALSE;
}

}  // namespace platform::system_log
