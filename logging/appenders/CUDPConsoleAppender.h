// Sends each formatted record as plain-text UDP datagrams of at most 1024 bytes to one
// or more listening consoles, with its line ends made "\r\n". An optional pause after
// every so many bytes (the tempo) paces the sending.
//
// Nothing here waits on the network while the appender is configured or opened (a module
// does both while its loader runs it): host names are resolved by the process's
// HostNameResolver, and the socket is made when the first record is sent from outside the
// module loader. What Open writes (clear-screen, header), and records logged under the
// loader before that, are kept and sent to each destination just before the first text
// that goes to it. A record waits for names still being resolved only within the
// resolver's budget; a destination whose name has no answer yet is skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "logging/core/CAppenderSkeleton.h"
#include "platform/Udp.h"
#include "platform/UdpNameResolver.h"

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
    // Does nothing while Active is false; otherwise OnSocketOpened, then the header, both
    // kept to be sent ahead of the first text to each destination.
    bool Open(std::string& error) override;
    // Sends the footer and closes the socket (when a record made one).
    bool Close(std::string& error) override;
    // Sends the text to every destination in turn; a failed send prints
    // "SendToError:%d\n" on standard output and moves on to the next destination.
    void Write(std::string_view text, const CLoggingEvent* event) override;
    bool DoAppend(const CLoggingEvent& event) override;
    // Called by Open; what it writes goes out with the header. False makes Open fail.
    virtual bool OnSocketOpened();

    // The destinations' addresses, in order, duplicates kept; NoIpv4Address for a name
    // that has no answer yet.
    std::vector<platform::Ipv4Address> GetDestinations() const;
    // The destination port, in host order.
    uint16_t GetPort() const { return m_port; }
    bool HasSocket() const { return m_socket.IsValid(); }

    // The pieces of a hosts text split at every ",", ";" and " ", empty pieces kept.
    static std::vector<std::string_view> SplitHosts(std::string_view hosts);
    // The address of a piece that needs no look-up: a dotted address, "localhost", or
    // NoIpv4Address for a name longer than 127 characters. False for a name to resolve.
    static bool AddressWithoutLookUp(std::string_view host, platform::Ipv4Address& address);

    uint32_t BlockSizeForTempo = 0;  // bytes after which to pause; 0: never
    uint32_t BytesSinceTempo = 0;
    uint32_t WaitTimeForTempo = 0;  // milliseconds of the pause; 0 (or set negative): never

    static constexpr size_t DatagramSize = 1024;
    static constexpr size_t MaxTextLength = 65535;
    static constexpr size_t MaxHostLength = 127;
    static constexpr size_t MaxKeptTexts = 64;  // kept from Open and the module loader

  private:
    struct Destination {
        platform::Ipv4Address address = platform::NoIpv4Address;
        size_t name = NoName;        // index into m_names when the address comes from a look-up
        bool known = true;           // the address is there (false until the name's answer)
        bool keptTextsSent = false;  // the kept texts went to it
    };
    static constexpr size_t NoName = static_cast<size_t>(-1);

    void SetHosts(std::string_view hosts);
    void SetPort(std::string_view port);
    // Takes the resolver's latest answers for the names; a record (`mayWait`) waits for
    // names without an answer within the resolver's budget.
    void RefreshAddresses(bool mayWait);
    void SendText(platform::Ipv4Address address, const std::string& text);

    std::vector<Destination> m_destinations;
    std::vector<platform::HostNameAnswer> m_names;  // the pieces that need a look-up
    uint32_t m_seenGeneration = 0;                  // of the resolver, at the last look-up
    uint32_t m_lastLookUp = 0;                      // TickCount of the last look-up
    bool m_lookedUp = false;                        // since the hosts were set
    bool m_namesSettled = true;                     // every name has an address
    uint16_t m_port = 4884;
    platform::UdpSocket m_socket;
    bool m_open = false;                   // between Open and Close
    bool m_keepingTexts = false;           // inside Open: Write keeps the text
    std::vector<std::string> m_keptTexts;  // converted texts kept, to go ahead of the others
    std::string m_portText;
    std::string m_hostsText;
    std::string m_sendText;  // the converted text being sent; reused between records
};

}  // namespace scrivlog
