#include "platform/UdpNameResolver.h"

#include <chrono>

#include "platform/Clock.h"

namespace platform {

HostNameResolver::HostNameResolver(LookUpFunction lookUp, uint32_t waitBudgetMilliseconds)
    : m_lookUp(lookUp), m_waitBudgetMilliseconds(waitBudgetMilliseconds) {}

HostNameResolver::~HostNameResolver() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_stopping = true;
    m_changed.wait(lock, [this] { return m_workers == 0; });
}

void HostNameResolver::LookUp(HostNameAnswer* answers, size_t count, bool mayWait) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const uint32_t now = TickCount();
    bool pending = false;
    for (size_t i = 0; i < count; ++i) {
        Entry& entry = m_entries[answers[i].name];
        bool due = !entry.answered ||
                   (entry.address == NoIpv4Address && now - entry.triedAt >= RetryMilliseconds);
        if (due && !entry.queued) {
            entry.queued = true;
            m_queue.push_back(answers[i].name);
        }
        pending = pending || !entry.answered;
    }
    // One worker per queued name, up to the limit. Names without a worker stay queued
    // for the next one free, or for the next call to start one.
    for (size_t queued = m_queue.size(); queued > 0 && m_workers < MaxWorkers && !m_stopping;
         --queued) {
        if (!StartDetachedThread(RunWorker, this))
            break;
        ++m_workers;
    }

    auto allAnswered = [&] {
        for (size_t i = 0; i < count; ++i)
            if (!m_entries.find(answers[i].name)->second.answered)
                return false;
        return true;
    };
    if (pending && mayWait && m_workers > 0 && m_waitBudgetMilliseconds > 0) {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        m_changed.wait_until(lock, start + std::chrono::milliseconds(m_waitBudgetMilliseconds),
                             allAnswered);
        auto spent =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        m_waitBudgetMilliseconds -= spent > 0 ? spent : 0;
    }

    for (size_t i = 0; i < count; ++i) {
        const Entry& entry = m_entries.find(answers[i].name)->second;
        answers[i].address = entry.address;
        answers[i].answered = entry.answered;
    }
}

void HostNameResolver::RunWorker(void* resolver) {
    static_cast<HostNameResolver*>(resolver)->Work();
}

void HostNameResolver::Work() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_queue.empty() && !m_stopping) {
        std::string name = std::move(m_queue.front());
        m_queue.pop_front();
        lock.unlock();
        Ipv4Address address = NoIpv4Address;
        bool found = false;
        try {
            found = m_lookUp(name, address);
        } catch (...) {
            // out of memory: the name counts as not resolved and is tried again later
        }
        lock.lock();
        Entry& entry = m_entries.find(name)->second;
        entry.address = found ? address : NoIpv4Address;
        entry.answered = true;
        entry.queued = false;
        entry.triedAt = TickCount();
        m_generation.fetch_add(1, std::memory_order_release);
        m_changed.notify_all();
    }
    --m_workers;
    m_changed.notify_all();
}

HostNameResolver& TheHostNameResolver() {
    static HostNameResolver* resolver = new HostNameResolver();
    return *resolver;
}

}  // namespace platform
