// The parts of the UDP service that read the same on every system: address texts, name
// resolution and the socket's ownership. Sockets themselves are in the posix/win32 sources.
#include "platform/Udp.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cstdio>

namespace platform {
namespace {
std::atomic<bool> g_insideModuleLoader{false};
}

void SetInsideModuleLoader(bool inside) {
    g_insideModuleLoader.store(inside, std::memory_order_relaxed);
}

bool InsideModuleLoader() {
    return g_insideModuleLoader.load(std::memory_order_relaxed);
}

Ipv4Address ParseIpv4Address(std::string_view text) {
    // inet_addr's reading, without the network layer it needs on Windows: one to four
    // parts, each decimal or, with a leading 0, octal; the last part fills the bytes left.
    uint32_t parts[4];
    size_t count = 0, i = 0;
    while (count < 4) {
        if (i == text.size() || text[i] < '0' || text[i] > '9')
            return NoIpv4Address;
        const uint32_t base = text[i] == '0' ? 8 : 10;
        uint64_t value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            uint32_t digit = static_cast<uint32_t>(text[i] - '0');
            if (digit >= base || (value = value * base + digit) > 0xFFFFFFFFu)
                return NoIpv4Address;
        }
        parts[count++] = static_cast<uint32_t>(value);
        if (i == text.size())
            break;
        if (text[i++] != '.')
            return NoIpv4Address;
    }
    if (i != text.size())
        return NoIpv4Address;
    uint32_t host = 0;
    for (size_t part = 0; part + 1 < count; ++part) {
        if (parts[part] > 0xFF)
            return NoIpv4Address;
        host |= parts[part] << (24 - 8 * part);
    }
    const uint32_t last = parts[count - 1];
    if (count > 1 && last >> (8 * (5 - count)) != 0)
        return NoIpv4Address;
    host |= last;
    return htonl(host);
}

bool ResolveHostName(std::string_view name, Ipv4Address& address) {
    StartNetwork();
    std::string host(name);
    if (host.empty()) {
        char own[256] = {};
        if (gethostname(own, sizeof own - 1) != 0)
            return false;
        host = own;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* answer = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &answer) != 0 || !answer)
        return false;
    bool found = false;
    for (addrinfo* entry = answer; entry; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addr) {
            address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr;
            found = true;
            break;
        }
    }
    freeaddrinfo(answer);
    return found;
}

std::string FormatIpv4Address(Ipv4Address address) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&address);
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

UdpSocket::~UdpSocket() {
    Close();
}

UdpSocket::UdpSocket(UdpSocket&& other) noexcept : m_handle(other.m_handle) {
    other.m_handle = -1;
}

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = other.m_handle;
        other.m_handle = -1;
    }
    return *this;
}

}  // namespace platform
