#include "platform/Udp.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <mutex>
#include <new>

#include "platform/UdpNameResolver.h"

namespace platform {
namespace {

SOCKET AsSocket(intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

sockaddr_in MakeAddress(Ipv4Address address, uint16_t port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = address;
    return target;
}

struct ThreadStart {
    void (*run)(void*);
    void* argument;
    HMODULE module;
};

DWORD WINAPI RunThread(LPVOID start) {
    ThreadStart copy = *static_cast<ThreadStart*>(start);
    delete static_cast<ThreadStart*>(start);
    copy.run(copy.argument);
    FreeLibraryAndExitThread(copy.module, 0);
}

}  // namespace

bool StartDetachedThread(void (*run)(void*), void* argument) {
    // The thread holds this module loaded while it runs: the file manager may unload the
    // extension while a look-up still waits on a name server.
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&StartDetachedThread), &module))
        return false;
    ThreadStart* start = new (std::nothrow) ThreadStart{run, argument, module};
    HANDLE thread = start ? CreateThread(nullptr, 0, RunThread, start, 0, nullptr) : nullptr;
    if (!thread) {
        delete start;
        FreeLibrary(module);
        return false;
    }
    CloseHandle(thread);
    return true;
}

void StartNetwork() {
    // Winsock counts its start-ups; one for the process is enough, and it is never
    // shut down (sockets may be used until the process ends).
    static std::once_flag started;
    std::call_once(started, [] {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    });
}

bool UdpSocket::Create() {
    StartNetwork();
    Close();
    SOCKET handle = socket(AF_INET, SOCK_DGRAM, 0);
    if (handle == INVALID_SOCKET) {
        SetLastError(static_cast<DWORD>(WSAGetLastError()));
        return false;
    }
    m_handle = static_cast<intptr_t>(handle);
    return true;
}

bool UdpSocket::IsValid() const {
    return AsSocket(m_handle) != INVALID_SOCKET;
}

void UdpSocket::Close() {
    if (IsValid()) {
        DWORD saved = GetLastError();
        closesocket(AsSocket(m_handle));
        SetLastError(saved);
        m_handle = -1;
    }
}

bool UdpSocket::SendTo(Ipv4Address address, uint16_t port, const char* data, size_t size,
                       int& error) {
    if (!IsValid()) {
        error = WSAENOTSOCK;
        return false;
    }
    sockaddr_in target = MakeAddress(address, port);
    int length = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(size);
    if (sendto(AsSocket(m_handle), data, length, 0, reinterpret_cast<const sockaddr*>(&target),
               sizeof target) == SOCKET_ERROR) {
        error = WSAGetLastError();
        return false;
    }
    return true;
}

bool UdpSocket::Bind(Ipv4Address address, uint16_t port) {
    if (!IsValid() && !Create())
        return false;
    sockaddr_in local = MakeAddress(address, port);
    if (bind(AsSocket(m_handle), reinterpret_cast<const sockaddr*>(&local), sizeof local) ==
        SOCKET_ERROR) {
        SetLastError(static_cast<DWORD>(WSAGetLastError()));
        return false;
    }
    return true;
}

bool UdpSocket::SetReceiveBufferSize(uint32_t bytes) {
    if (!IsValid() && !Create())
        return false;
    int size = bytes > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(bytes);
    return setsockopt(AsSocket(m_handle), SOL_SOCKET, SO_RCVBUF,
                      reinterpret_cast<const char*>(&size), sizeof size) == 0;
}

uint16_t UdpSocket::LocalPort() const {
    if (!IsValid())
        return 0;
    sockaddr_in local{};
    int length = sizeof local;
    if (getsockname(AsSocket(m_handle), reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}

bool UdpSocket::Receive(std::string& datagram, uint32_t timeoutMilliseconds) {
    if (!IsValid())
        return false;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(AsSocket(m_handle), &readable);
    timeval timeout{static_cast<long>(timeoutMilliseconds / 1000),
                    static_cast<long>(timeoutMilliseconds % 1000) * 1000};
    if (select(0, &readable, nullptr, nullptr, &timeout) <= 0)
        return false;
    datagram.resize(65535);
    int received = recv(AsSocket(m_handle), &datagram[0], static_cast<int>(datagram.size()), 0);
    if (received == SOCKET_ERROR) {
        // A datagram larger than the buffer still delivers its first part.
        if (WSAGetLastError() != WSAEMSGSIZE) {
            datagram.clear();
            return false;
        }
        received = static_cast<int>(datagram.size());
    }
    datagram.resize(static_cast<size_t>(received));
    return true;
}

}  // namespace platform
