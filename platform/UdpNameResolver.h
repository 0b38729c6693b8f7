// Host names resolved away from the callers: look-ups run on worker threads (a few at a
// time, so that a name the name server never answers holds up no other), started when a
// name needs one and ended when none is left. A name server that never answers thus
// keeps no caller waiting longer than it chooses to. A name that cannot be resolved is
// tried again at most once a minute.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/Udp.h"

namespace platform {

// What the resolver knows of one name; filled in by HostNameResolver::LookUp.
struct HostNameAnswer {
    std::string name;
    Ipv4Address address = NoIpv4Address;  // NoIpv4Address when the look-up failed
    bool answered = false;                // false while the first look-up is under way
};

class HostNameResolver {
  public:
    using LookUpFunction = bool (*)(std::string_view name, Ipv4Address& address);

    static constexpr uint32_t RetryMilliseconds = 60000;
    static constexpr int MaxWorkers = 4;

    // `waitBudgetMilliseconds` is the time all callers together may spend waiting.
    explicit HostNameResolver(LookUpFunction lookUp = ResolveHostName,
                              uint32_t waitBudgetMilliseconds = 1000);
    // Waits for the workers to finish the look-ups they are in.
    ~HostNameResolver();
    HostNameResolver(const HostNameResolver&) = delete;
    HostNameResolver& operator=(const HostNameResolver&) = delete;

    // Fills in the answer of each name, asks for a look-up of every name without one and
    // of every failed name whose last try is a minute old (by TickCount). With `mayWait`,
    // while some of these names have no answer yet, waits for them for at most what is
    // left of the budget.
    void LookUp(HostNameAnswer* answers, size_t count, bool mayWait);

    // Changes whenever an answer arrives: a caller that saw the same value has nothing new.
    uint32_t Generation() const { return m_generation.load(std::memory_order_acquire); }

  private:
    struct Entry {
        Ipv4Address address = NoIpv4Address;
        bool answered = false;
        bool queued = false;
        uint32_t triedAt = 0;  // TickCount when the last look-up ended
    };

    static void RunWorker(void* resolver);
    void Work();

    LookUpFunction m_lookUp;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, Entry, std::less<>> m_entries;
    std::deque<std::string> m_queue;
    int m_workers = 0;  // running
    bool m_stopping = false;
    int64_t m_waitBudgetMilliseconds;
    std::atomic<uint32_t> m_generation{0};
};

// The process's resolver. It is never destroyed, so that a worker still waiting on a
// name server when the process ends has nothing pulled away from under it.
HostNameResolver& TheHostNameResolver();

// Runs `run(argument)` on a thread of its own that nobody joins. On Windows the thread
// keeps this module loaded until it ends.
bool StartDetachedThread(void (*run)(void*), void* argument);

}  // namespace platform
