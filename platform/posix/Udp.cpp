#include "platform/Udp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "platform/UdpNameResolver.h"

namespace platform {
namespace {

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
};

void* RunThread(void* start) {
    ThreadStart copy = *static_cast<ThreadStart*>(start);
    delete static_cast<ThreadStart*>(start);
    copy.run(copy.argument);
    return nullptr;
}

}  // namespace

void StartNetwork() {}

bool StartDetachedThread(void (*run)(void*), void* argument) {
    ThreadStart* start = new (std::nothrow) ThreadStart{run, argument};
    if (!start)
        return false;
    // The thread takes none of the host's signals: it starts with all of them blocked.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    pthread_t thread;
    int failed = pthread_create(&thread, &attributes, RunThread, start);
    pthread_attr_destroy(&attributes);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (failed != 0)
        delete start;
    return failed == 0;
}

bool UdpSocket::Create() {
    Close();
    int handle = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (handle < 0)
        return false;
    m_handle = handle;
    return true;
}

bool UdpSocket::IsValid() const {
    return m_handle >= 0;
}

void UdpSocket::Close() {
    if (m_handle >= 0) {
        int saved = errno;
        close(static_cast<int>(m_handle));
        errno = saved;
        m_handle = -1;
    }
}

bool UdpSocket::SendTo(Ipv4Address address, uint16_t port, const char* data, size_t size,
                       int& error) {
    if (m_handle < 0) {
        error = EBADF;
        return false;
    }
    sockaddr_in target = MakeAddress(address, port);
    ssize_t sent;
    do {
        sent = sendto(static_cast<int>(m_handle), data, size, MSG_NOSIGNAL,
                      reinterpret_cast<const sockaddr*>(&target), sizeof target);
    } while (sent < 0 && errno == EINTR);
    if (sent < 0) {
        error = errno;
        return false;
    }
    return true;
}

bool UdpSocket::Bind(Ipv4Address address, uint16_t port) {
    if (m_handle < 0 && !Create())
        return false;
    sockaddr_in local = MakeAddress(address, port);
    return bind(static_cast<int>(m_handle), reinterpret_cast<const sockaddr*>(&local),
                sizeof local) == 0;
}

bool UdpSocket::SetReceiveBufferSize(uint32_t bytes) {
    if (m_handle < 0 && !Create())
        return false;
    int size = bytes > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(bytes);
    return setsockopt(static_cast<int>(m_handle), SOL_SOCKET, SO_RCVBUF, &size, sizeof size) == 0;
}

uint16_t UdpSocket::LocalPort() const {
    if (m_handle < 0)
        return 0;
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (getsockname(static_cast<int>(m_handle), reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}

bool UdpSocket::Receive(std::string& datagram, uint32_t timeoutMilliseconds) {
    if (m_handle < 0)
        return false;
    pollfd wait{static_cast<int>(m_handle), POLLIN, 0};
    int timeout =
        timeoutMilliseconds > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(timeoutMilliseconds);
    int ready = poll(&wait, 1, timeout);
    if (ready <= 0)
        return false;
    datagram.resize(65535);
    ssize_t received =
        recv(static_cast<int>(m_handle), &datagram[0], datagram.size(), MSG_DONTWAIT);
    if (received < 0) {
        datagram.clear();
        return false;
    }
    datagram.resize(static_cast<size_t>(received));
    return true;
}

}  // namespace platform
