#include "logging/appenders/CUDPConsoleAppender.h"

#include <cstdio>

#include "logging/core/SystemUtilities.h"
#include "logging/core/Text.h"
#include "platform/Clock.h"
#include "platform/StandardOutput.h"

namespace scrivlog {

CUDPConsoleAppender::CUDPConsoleAppender()
    : CUDPConsoleAppender("[NoAppenderName]", Levels::NotSet) {}

CUDPConsoleAppender::CUDPConsoleAppender(std::string_view name, Level threshold)
    : CAppenderSkeleton(name, threshold) {
    SetPort("4884");
    SetHosts("localhost");
    // The texts report only what the configuration set.
    m_portText.clear();
    m_hostsText.clear();
}

CUDPConsoleAppender::~CUDPConsoleAppender() = default;  // the socket closes itself

const char* CUDPConsoleAppender::GetClassName() const {
    return "UDPConsoleAppender";
}

bool CUDPConsoleAppender::SetParam(std::string_view name, std::string_view value) {
    if (CAppenderSkeleton::SetParam(name, value))
        return true;
    if (EqualsIgnoreCase(name, "hosts")) {
        SetHosts(value);
        return true;
    }
    if (EqualsIgnoreCase(name, "port")) {
        SetPort(value);
        return true;
    }
    if (EqualsIgnoreCase(name, "BlockSizeForTempo")) {
        BlockSizeForTempo = static_cast<uint32_t>(ParseInt(value));
        return true;
    }
    if (EqualsIgnoreCase(name, "WaitTimeForTempo")) {
        // A negative time has no length: no pause rather than one of 49 days.
        int32_t wait = ParseInt(value);
        WaitTimeForTempo = wait > 0 ? static_cast<uint32_t>(wait) : 0;
        return true;
    }
    return false;
}

std::string CUDPConsoleAppender::GetParam(std::string_view name) const {
    std::string value = CAppenderSkeleton::GetParam(name);
    if (!value.empty())
        return value;
    if (EqualsIgnoreCase(name, "hosts"))
        return m_hostsText;
    if (EqualsIgnoreCase(name, "port"))
        return m_portText;
    return {};
}

std::vector<std::string_view> CUDPConsoleAppender::SplitHosts(std::string_view hosts) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t i = 0; i <= hosts.size(); ++i) {
        if (i == hosts.size() || hosts[i] == ',' || hosts[i] == ';' || hosts[i] == ' ') {
            pieces.push_back(hosts.substr(start, i - start));
            start = i + 1;
        }
    }
    return pieces;
}

bool CUDPConsoleAppender::AddressWithoutLookUp(std::string_view host,
                                               platform::Ipv4Address& address) {
    address = platform::NoIpv4Address;
    if (host.size() > MaxHostLength)
        return true;
    if (EqualsIgnoreCase(host, "localhost")) {
        address = platform::ParseIpv4Address("127.0.0.1");
        return true;
    }
    bool hasDot = false;
    for (char c : host) {
        if (c == '.')
            hasDot = true;
        else if (c < '0' || c > '9')
            return false;
    }
    if (!hasDot)
        return false;
    address = platform::ParseIpv4Address(host);
    return true;
}

void CUDPConsoleAppender::SetHosts(std::string_view hosts) {
    m_hostsText.assign(hosts);
    m_destinations.clear();
    m_names.clear();
    for (std::string_view piece : SplitHosts(hosts)) {
        Destination destination;
        if (!AddressWithoutLookUp(piece, destination.address)) {
            destination.name = m_names.size();
            destination.known = false;
            m_names.emplace_back();
            m_names.back().name.assign(piece);
        }
        m_destinations.push_back(destination);
    }
    m_lookedUp = false;
    m_namesSettled = m_names.empty();
}

std::vector<platform::Ipv4Address> CUDPConsoleAppender::GetDestinations() const {
    std::vector<platform::Ipv4Address> addresses;
    for (const Destination& destination : m_destinations)
        addresses.push_back(destination.address);
    return addresses;
}

void CUDPConsoleAppender::RefreshAddresses(bool mayWait) {
    // Under the module loader the resolver is left alone: a thread it starts could not run,
    // and one that the end of the process stopped may have left its lock taken.
    if (m_names.empty() || platform::InsideModuleLoader())
        return;
    platform::HostNameResolver& resolver = platform::TheHostNameResolver();
    const uint32_t generation = resolver.Generation();
    const uint32_t now = platform::TickCount();
    // Ask again when answers came in, or, while a name is unsettled (no answer yet, or a
    // failed one that may be due for another try), once a second.
    if (m_lookedUp && generation == m_seenGeneration &&
        (m_namesSettled || now - m_lastLookUp < 1000))
        return;
    resolver.LookUp(m_names.data(), m_names.size(), mayWait);
    m_lookedUp = true;
    m_seenGeneration = generation;
    m_lastLookUp = now;
    m_namesSettled = true;
    for (const platform::HostNameAnswer& answer : m_names)
        m_namesSettled =
            m_namesSettled && answer.answered && answer.address != platform::NoIpv4Address;
    for (Destination& destination : m_destinations) {
        if (destination.name == NoName)
            continue;
        const platform::HostNameAnswer& answer = m_names[destination.name];
        destination.address = answer.address;
        destination.known = answer.answered;
    }
}

void CUDPConsoleAppender::SetPort(std::string_view port) {
    m_portText.assign(port);
    m_port = static_cast<uint16_t>(ParseInt(port));
}

bool CUDPConsoleAppender::Open(std::string&) {
    if (!Active || m_open)
        return true;
    m_open = true;
    m_keptTexts.clear();
    for (Destination& destination : m_destinations)
        destination.keptTextsSent = false;
    m_keepingTexts = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_keepingTexts};
    if (!OnSocketOpened())
        return false;
    std::string header;
    if (GetHeader(header))
        Write(header, nullptr);
    return true;
}

bool CUDPConsoleAppender::Close(std::string&) {
    if (!m_open)
        return true;
    if (m_socket.IsValid()) {
        std::string footer;
        if (GetFooter(footer))
            Write(footer, nullptr);
        m_socket.Close();
    }
    m_open = false;
    m_keptTexts.clear();
    return true;
}

bool CUDPConsoleAppender::OnSocketOpened() {
    return true;
}

void CUDPConsoleAppender::SendText(platform::Ipv4Address address, const std::string& text) {
    for (size_t offset = 0; offset < text.size(); offset += DatagramSize) {
        size_t size = text.size() - offset < DatagramSize ? text.size() - offset : DatagramSize;
        int errorCode = 0;
        if (!m_socket.SendTo(address, m_port, text.data() + offset, size, errorCode)) {
            char message[32];
            std::snprintf(message, sizeof message, "SendToError:%d\n", errorCode);
            platform::WriteStandardOutput(message);
            return;
        }
    }
}

void CUDPConsoleAppender::Write(std::string_view text, const CLoggingEvent* event) {
    // The listener shows "\r\n" line ends; convert, and cut to what one text may hold.
    std::string& converted = m_sendText;
    converted.clear();
    for (char c : text) {
        if (converted.size() >= MaxTextLength)
            break;
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    if (converted.size() > MaxTextLength)
        converted.resize(MaxTextLength);
    const size_t length = converted.size();

    // The network is started by the first text sent from outside the module loader, never
    // by Open; until then texts are kept, to go ahead of the first one sent.
    if (m_keepingTexts || (!m_socket.IsValid() && platform::InsideModuleLoader())) {
        if (m_keptTexts.size() < MaxKeptTexts)
            m_keptTexts.push_back(converted);
        return;
    }
    if (!m_socket.IsValid() && !m_socket.Create())
        return;
    RefreshAddresses(event != nullptr);
    for (Destination& destination : m_destinations) {
        if (!destination.known)
            continue;  // its name has no answer yet
        if (!destination.keptTextsSent) {
            destination.keptTextsSent = true;
            for (const std::string& kept : m_keptTexts)
                SendText(destination.address, kept);
        }
        SendText(destination.address, converted);
    }

    if (BlockSizeForTempo != 0 && WaitTimeForTempo != 0) {
        BytesSinceTempo += static_cast<uint32_t>(length);
        if (BytesSinceTempo >= BlockSizeForTempo) {
            BytesSinceTempo = 0;
            platform::Sleep(WaitTimeForTempo);
        }
    }
}

bool CUDPConsoleAppender::DoAppend(const CLoggingEvent& event) {
    return FormatAndWrite(event);
}

}  // namespace scrivlog
