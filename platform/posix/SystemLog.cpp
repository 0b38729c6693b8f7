#include "platform/SystemLog.h"

#include <syslog.h>

#include <cerrno>
#include <climits>
#include <mutex>
#include <new>

namespace platform::system_log {
namespace {

// syslog has one identity per process; each source remembers its name and makes it
// the identity whenever it reports, under one lock.
struct Source {
    std::string name;
};

std::mutex g_lock;
const Source* g_identity = nullptr;  // the source whose name openlog holds

int Priority(SystemLogType type) {
    switch (type) {
        case SystemLogType::Error:
            return LOG_ERR;
        case SystemLogType::Warning:
            return LOG_WARNING;
        default:
            return LOG_INFO;
    }
}

}  // namespace

SystemLogSource Register(const std::string& name) {
    Source* source = new (std::nothrow) Source;
    if (!source) {
        errno = ENOMEM;
        return nullptr;
    }
    try {
        source->name = name;
    } catch (...) {
        delete source;
        errno = ENOMEM;
        return nullptr;
    }
    return source;
}

bool Deregister(SystemLogSource handle) {
    Source* source = static_cast<Source*>(handle);
    if (!source) {
        errno = EINVAL;
        return false;
    }
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (g_identity == source) {
            closelog();
            g_identity = nullptr;
        }
    }
    delete source;
    return true;
}

bool Report(SystemLogSource handle, SystemLogType type, uint16_t, uint32_t, std::string_view text) {
    const Source* source = static_cast<const Source*>(handle);
    if (!source)
        return false;
    std::lock_guard<std::mutex> guard(g_lock);
    if (g_identity != source) {
        openlog(source->name.c_str(), LOG_PID, LOG_USER);
        g_identity = source;
    }
    int length = text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
    syslog(Priority(type), "%.*s", length, text.data());
    return true;
}

}  // namespace platform::system_log
