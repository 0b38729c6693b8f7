#include "platform/SystemLog.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<SystemLogService*> g_service{nullptr};
}

void SetSystemLogService(SystemLogService* service) {
    g_service.store(service, std::memory_order_release);
}

SystemLogSource RegisterSystemLogSource(const std::string& name) {
    SystemLogService* service = g_service.load(std::memory_order_acquire);
    return service ? service->Register(name) : system_log::Register(name);
}

bool DeregisterSystemLogSource(SystemLogSource source) {
    SystemLogService* service = g_service.load(std::memory_order_acquire);
    return service ? service->Deregister(source) : system_log::Deregister(source);
}

bool ReportSystemLogEntry(SystemLogSource source, SystemLogType type, uint16_t category,
                          uint32_t eventId, std::string_view text) {
    SystemLogService* service = g_service.load(std::memory_order_acquire);
    return service ? service->Report(source, type, category, eventId, text)
                   : system_log::Report(source, type, category, eventId, text);
}

}  // namespace platform
