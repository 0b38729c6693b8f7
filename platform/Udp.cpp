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

#include <cstdio>

namespace platform {

Ipv4Address ParseIpv4Address(std::string_view text) {
    StartNetwork();
    std::string copy(text);
    return inet_addr(copy.c_str());
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
