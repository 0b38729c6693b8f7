// The system log through its datagram socket (/dev/log), written directly rather than
// through syslog(3): the C library's client waits when nobody reads the socket, and a
// log call must never wait. An entry that the socket does not take at once is dropped
// and counted.
#include "platform/SystemLog.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>

#include "platform/Clock.h"

namespace platform {
namespace {

struct Source {
    std::string name;
};

std::mutex g_lock;  // guards the socket, its path and the entry buffer
std::string g_socketPath = "/dev/log";
int g_socket = -1;
std::string g_entry;  // reused between entries
std::atomic<uint64_t> g_dropped{0};

// Severity with the user facility (1 << 3), as syslog(3) makes the priority.
int Priority(SystemLogType type) {
    switch (type) {
        case SystemLogType::Error:
            return 8 | 3;
        case SystemLogType::Warning:
            return 8 | 4;
        default:
            return 8 | 6;
    }
}

void Disconnect() {
    if (g_socket >= 0)
        close(g_socket);
    g_socket = -1;
}

bool Connect() {
    if (g_socket >= 0)
        return true;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (g_socketPath.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, g_socketPath.c_str(), g_socketPath.size() + 1);
    g_socket = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (g_socket < 0)
        return false;
    if (connect(g_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        Disconnect();
        return false;
    }
    return true;
}

// Sends g_entry without waiting; reconnects once when the log's reader has gone away
// (a restarted log daemon makes a new socket).
bool SendEntry() {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Connect())
            return false;
        if (send(g_socket, g_entry.data(), g_entry.size(), MSG_DONTWAIT | MSG_NOSIGNAL) >= 0)
            return true;
        if (errno != ECONNREFUSED && errno != ENOTCONN && errno != ECONNRESET)
            return false;  // full (EAGAIN) or refused for good
        Disconnect();
    }
    return false;
}

}  // namespace

void SetSystemLogSocketPath(const std::string& path) {
    std::lock_guard<std::mutex> guard(g_lock);
    g_socketPath = path;
    Disconnect();
}

uint64_t DroppedSystemLogEntries() {
    return g_dropped.load(std::memory_order_relaxed);
}

namespace system_log {

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
    delete source;
    return true;
}

bool Report(SystemLogSource handle, SystemLogType type, uint16_t, uint32_t, std::string_view text) {
    const Source* source = static_cast<const Source*>(handle);
    if (!source)
        return false;
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    DateTime now = LocalTime();
    char head[64];
    // What syslog(3) writes: "<priority>Mmm dd hh:mm:ss identity[pid]: text".
    std::snprintf(head, sizeof head, "<%d>%s %2d %02d:%02d:%02d ", Priority(type),
                  months[(now.Month + 11) % 12], now.Day, now.Hour, now.Minute, now.Second);
    char pid[24];
    std::snprintf(pid, sizeof pid, "[%ld]: ", static_cast<long>(getpid()));
    std::lock_guard<std::mutex> guard(g_lock);
    bool sent = false;
    try {
        g_entry.assign(head);
        g_entry += source->name;
        g_entry += pid;
        g_entry += text;
        sent = SendEntry();
    } catch (...) {
        // out of memory: the entry is dropped
    }
    if (!sent)
        g_dropped.fetch_add(1, std::memory_order_relaxed);
    return sent;
}

}  // namespace system_log
}  // namespace platform
