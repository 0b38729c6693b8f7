// The system's log of events: the Windows event log (an event source per name and
// ReportEventA), syslog on POSIX (the source name as identity; error, warning and
// information priorities; an entry the log's socket does not take at once is dropped
// and counted, never waited for). Tests may put a log of their own in place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum class SystemLogType : uint16_t { Error = 1, Warning = 2, Information = 4 };

// An opaque registered source; nullptr is none.
using SystemLogSource = void*;

// Registers the event source `name` on this machine; nullptr on failure, with the
// system's error code left for LastSystemErrorCode.
SystemLogSource RegisterSystemLogSource(const std::string& name);
// Releases the source; false on failure (error code as above). The source is gone
// either way.
bool DeregisterSystemLogSource(SystemLogSource source);
// Reports one entry with one string. False when the system refused it.
bool ReportSystemLogEntry(SystemLogSource source, SystemLogType type, uint16_t category,
                          uint32_t eventId, std::string_view text);

// A replacement log. Installed with SetSystemLogService, it answers every call above.
class SystemLogService {
  public:
    virtual ~SystemLogService() = default;
    virtual SystemLogSource Register(const std::string& name) = 0;
    virtual bool Deregister(SystemLogSource source) = 0;
    virtual bool Report(SystemLogSource source, SystemLogType type, uint16_t category,
                        uint32_t eventId, std::string_view text) = 0;
};

// Installs a replacement; nullptr restores the system's log. The caller keeps
// ownership and keeps it alive while installed.
void SetSystemLogService(SystemLogService* service);

#ifndef _WIN32
// The socket the entries go to, "/dev/log" unless a test points it elsewhere.
void SetSystemLogSocketPath(const std::string& path);
// Entries dropped because the log's socket did not take them at once.
uint64_t DroppedSystemLogEntries();
#endif

namespace system_log {
// The system's own log, bypassing any replacement.
SystemLogSource Register(const std::string& name);
bool Deregister(SystemLogSource source);
bool Report(SystemLogSource source, SystemLogType type, uint16_t category, uint32_t eventId,
            std::string_view text);
}  // namespace system_log

}  // namespace platform
