// UDP datagram sockets and host-name resolution (IPv4 only): Winsock on Windows, BSD
// sockets on POSIX. Senders use Create and SendTo; listeners Bind and Receive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// An IPv4 address in network byte order, as the socket calls take it.
using Ipv4Address = uint32_t;

// 255.255.255.255: the invalid address, which stands for a name that cannot be resolved.
constexpr Ipv4Address NoIpv4Address = 0xFFFFFFFFu;

// Set by a module while the system's loader runs its start-up or shut-down (on Windows
// under the loader lock): then nothing may start the network layer, start a thread or wait
// for one. Off by default.
void SetInsideModuleLoader(bool inside);
bool InsideModuleLoader();

// Makes the network layer usable (Winsock on Windows; nothing to do on POSIX). Safe to
// call any number of times; the socket calls below call it themselves.
void StartNetwork();

// A dotted address as inet_addr reads it ("127.0.0.1", also "127.1"); NoIpv4Address for
// text it does not accept.
Ipv4Address ParseIpv4Address(std::string_view text);

// The first IPv4 address of `name`; false when the name cannot be resolved. The empty
// name stands for this machine (its host name).
bool ResolveHostName(std::string_view name, Ipv4Address& address);

// "a.b.c.d".
std::string FormatIpv4Address(Ipv4Address address);

class UdpSocket {
  public:
    UdpSocket() = default;
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;
    UdpSocket(UdpSocket&& other) noexcept;
    UdpSocket& operator=(UdpSocket&& other) noexcept;

    // Creates the datagram socket (closing one held before). False with the system's
    // error code left for LastSystemErrorCode.
    bool Create();
    bool IsValid() const;
    void Close();

    // Sends one datagram to address:port (port in host order). False with the system's
    // error code in `error`; a socket that is not valid fails too.
    bool SendTo(Ipv4Address address, uint16_t port, const char* data, size_t size, int& error);

    // Creates the socket if needed and binds it to address:port (host order; port 0
    // picks a free one). False with the system's error code left for LastSystemErrorCode.
    bool Bind(Ipv4Address address, uint16_t port);
    // Asks the system to queue up to `bytes` of datagrams not yet received, so that a
    // burst (a long record is up to 64 datagrams per destination) is not dropped.
    bool SetReceiveBufferSize(uint32_t bytes);
    // The port the socket is bound to, in host order; 0 when it is not bound.
    uint16_t LocalPort() const;

    // Waits at most `timeoutMilliseconds` for one datagram and puts it in `datagram`
    // (at most 65535 bytes). False when none came in time or the receive failed.
    bool Receive(std::string& datagram, uint32_t timeoutMilliseconds);

  private:
    intptr_t m_handle = -1;  // a file descriptor, or a SOCKET (INVALID_SOCKET is -1 too)
};

}  // namespace platform
