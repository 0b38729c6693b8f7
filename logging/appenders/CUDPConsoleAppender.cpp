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
    platform::StartNetwork();
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
        WaitTimeForTempo = static_cast<uint32_t>(ParseInt(value));
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

platform::Ipv4Address CUDPConsoleAppender::ResolveHost(std::string_view host) {
    if (host.size() > MaxHostLength)
        return platform::NoIpv4Address;
    bool hasDot = false;
    bool dotted = true;
    for (char c : host) {
        if (c == '.')
            hasDot = true;
        else if (c < '0' || c > '9')
            dotted = false;
    }
    if (hasDot && dotted)
        return platform::ParseIpv4Address(host);
    platform::Ipv4Address address;
    return platform::ResolveHostName(host, address) ? address : platform::NoIpv4Address;
}

void CUDPConsoleAppender::SetHosts(std::string_view hosts) {
    m_hostsText.assign(hosts);
    m_destinations.clear();
    for (std::string_view piece : SplitHosts(hosts))
        m_destinations.push_back(ResolveHost(piece));
}

void CUDPConsoleAppender::SetPort(std::string_view port) {
    m_portText.assign(port);
    m_port = static_cast<uint16_t>(ParseInt(port));
}

bool CUDPConsoleAppender::Open(std::string& error) {
    if (!Active || m_socket.IsValid())
        return true;
    if (!m_socket.Create()) {
        error = "unable to create socket:" + LastErrorText();
        return false;
    }
    if (!OnSocketOpened())
        return false;
    std::string header;
    if (GetHeader(header))
        Write(header, nullptr);
    return true;
}

bool CUDPConsoleAppender::Close(std::string&) {
    if (!m_socket.IsValid())
        return true;
    std::string footer;
    if (GetFooter(footer))
        Write(footer, nullptr);
    m_socket.Close();
    return true;
}

bool CUDPConsoleAppender::OnSocketOpened() {
    return true;
}

void CUDPConsoleAppender::Write(std::string_view text, const CLoggingEvent*) {
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

    for (platform::Ipv4Address destination : m_destinations) {
        for (size_t offset = 0; offset < length; offset += DatagramSize) {
            size_t size = length - offset < DatagramSize ? length - offset : DatagramSize;
            int errorCode = 0;
            if (!m_socket.SendTo(destination, m_port, converted.data() + offset, size, errorCode)) {
                char message[32];
                std::snprintf(message, sizeof message, "SendToError:%d\n", errorCode);
                platform::WriteStandardOutput(message);
                break;
            }
        }
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
