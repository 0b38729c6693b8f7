// Sends each formatted record as plain-text UDP datagrams of at most 1024 bytes to one
// or more listening consoles, with its line ends made "\r\n". An optional pause after
// every so many bytes (the tempo) paces the sending.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "logging/core/CAppenderSkeleton.h"
#include "platform/Udp.h"

namespace scrivlog {

class CUDPConsoleAppender : public CAppenderSkeleton {
  public:
    // Sends to localhost on port 4884 until configured otherwise.
    CUDPConsoleAppender();
    CUDPConsoleAppender(std::string_view name, Level threshold);
    // Closes a socket still open, without a footer.
    ~CUDPConsoleAppender() override;

    const char* GetClassName() const override;
    // "hosts", "port", "BlockSizeForTempo", "WaitTimeForTempo" after the skeleton's.
    bool SetParam(std::string_view name, std::string_view value) override;
    // "hosts" and "port" give the text last set (empty unless set).
    std::string GetParam(std::string_view name) const override;
    // Creates the socket (none while Active is false), then OnSocketOpened, then the header.
    bool Open(std::string& error) override;
    // Sends the footer and closes the socket.
    bool Close(std::string& error) override;
    // Sends the text to every destination in turn; a failed send prints
    // "SendToError:%d\n" on standard output and moves on to the next destination.
    void Write(std::string_view text, const CLoggingEvent* event) override;
    bool DoAppend(const CLoggingEvent& event) override;
    // Called by Open once the socket exists; false makes Open fail.
    virtual bool OnSocketOpened();

    // The destinations as resolved from the hosts text, in order, duplicates kept.
    const std::vector<platform::Ipv4Address>& GetDestinations() const { return m_destinations; }
    // The destination port, in host order.
    uint16_t GetPort() const { return m_port; }
    bool HasSocket() const { return m_socket.IsValid(); }

    // The pieces of a hosts text split at every ",", ";" and " ", empty pieces kept.
    static std::vector<std::string_view> SplitHosts(std::string_view hosts);
    // One piece as an address: a dotted address is converted without a lookup, a name
    // is resolved; NoIpv4Address when that fails or the name is longer than 127
    // characters.
    static platform::Ipv4Address ResolveHost(std::string_view host);

    uint32_t BlockSizeForTempo = 0;  // bytes after which to pause; 0: never
    uint32_t BytesSinceTempo = 0;
    uint32_t WaitTimeForTempo = 0;  // milliseconds of the pause; 0: never

    static constexpr size_t DatagramSize = 1024;
    static constexpr size_t MaxTextLength = 65535;
    static constexpr size_t MaxHostLength = 127;

  private:
    void SetHosts(std::string_view hosts);
    void SetPort(std::string_view port);

    std::vector<platform::Ipv4Address> m_destinations;
    uint16_t m_port = 4884;
    platform::UdpSocket m_socket;
    std::string m_portText;
    std::string m_hostsText;
    std::string m_sendText;  // the converted text being sent; reused between records
};

}  // namespace scrivlog
