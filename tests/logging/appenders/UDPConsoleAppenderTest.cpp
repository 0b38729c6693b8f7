#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "logging/appenders/CUDPConsoleAppender.h"
#include "logging/appenders/CUDPConsoleColorAppender.h"
#include "logging/core/CLogger.h"
#include "logging/core/CSimpleLayout.h"
#include "platform/Udp.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;

namespace {

const platform::Ipv4Address Loopback1 = platform::ParseIpv4Address("127.0.0.1");
const platform::Ipv4Address Loopback2 = platform::ParseIpv4Address("127.0.0.2");

// A listening socket on a loopback address.
struct Listener {
    platform::UdpSocket socket;

    bool Bind(platform::Ipv4Address address, uint16_t port) {
        // Room for the longest texts to two destinations on one socket.
        socket.SetReceiveBufferSize(1 << 20);
        return socket.Bind(address, port);
    }
    uint16_t Port() const { return socket.LocalPort(); }

    // Exactly `count` datagrams, each awaited for at most two seconds.
    std::vector<std::string> Take(size_t count) {
        std::vector<std::string> datagrams;
        std::string datagram;
        while (datagrams.size() < count && socket.Receive(datagram, 2000))
            datagrams.push_back(datagram);
        return datagrams;
    }
    // True when nothing more arrives within a short wait.
    bool Quiet() {
        std::string datagram;
        return !socket.Receive(datagram, 100);
    }
};

// Two destinations on one port: 127.0.0.1 and 127.0.0.2 where a socket may bind
// 127.0.0.2 (Wine binds only the addresses of its interfaces), otherwise 127.0.0.1
// twice, whose datagrams are then read in the order the appender sends them.
struct TwoDestinations {
    Listener listeners[2];
    bool distinct = false;

    bool Bind() {
        for (int attempt = 0; attempt < 20; ++attempt) {
            listeners[0].socket.Close();
            listeners[1].socket.Close();
            if (!listeners[0].Bind(Loopback1, 0))
                continue;
            distinct = listeners[1].Bind(Loopback2, Port());
            if (distinct)
                return true;
            listeners[1].socket.Close();
            return true;
        }
        return false;
    }
    uint16_t Port() const { return listeners[0].Port(); }
    const char* Address(int index) const {
        return index == 1 && distinct ? "127.0.0.2" : "127.0.0.1";
    }
    Listener& operator[](int index) { return distinct ? listeners[index] : listeners[0]; }
};

std::string PortText(uint16_t port) {
    return std::to_string(port);
}

class FramingLayout : public CSimpleLayout {
  public:
    bool FormatHeader(std::string& text, std::string_view, std::string_view) override {
        text = "<begin>\n";
        return true;
    }
    bool FormatFooter(std::string& text, std::string_view, std::string_view) override {
        text = "<end>\n";
        return true;
    }
};

std::vector<size_t> Sizes(const std::vector<std::string>& datagrams) {
    std::vector<size_t> sizes;
    for (const std::string& d : datagrams)
        sizes.push_back(d.size());
    return sizes;
}

std::string Joined(const std::vector<std::string>& datagrams) {
    std::string all;
    for (const std::string& d : datagrams)
        all += d;
    return all;
}

}  // namespace

TEST(UDPConsoleAppender, ParametersAndDefaults) {
    CUDPConsoleAppender appender("udp", Levels::All);
    EXPECT_STREQ("UDPConsoleAppender", appender.GetClassName());
    ASSERT_EQ(1u, appender.GetDestinations().size());
    EXPECT_EQ(Loopback1, appender.GetDestinations()[0]);  // localhost
    EXPECT_EQ(4884, appender.GetPort());
    EXPECT_EQ("", appender.GetParam("hosts"));
    EXPECT_EQ("", appender.GetParam("port"));

    EXPECT_TRUE(appender.SetParam("PORT", "70000"));
    EXPECT_EQ(70000 & 0xFFFF, appender.GetPort());
    EXPECT_EQ("70000", appender.GetParam("Port"));
    std::string longPort(40, '9');  // far beyond 23 characters and 32 bits
    EXPECT_TRUE(appender.SetParam("port", longPort));
    EXPECT_EQ(0xFFFF, appender.GetPort());
    EXPECT_EQ(longPort, appender.GetParam("port"));

    EXPECT_TRUE(appender.SetParam("blocksizefortempo", "4096"));
    EXPECT_TRUE(appender.SetParam("WaitTimeForTempo", "50"));
    EXPECT_EQ(4096u, appender.BlockSizeForTempo);
    EXPECT_EQ(50u, appender.WaitTimeForTempo);
    EXPECT_EQ("", appender.GetParam("BlockSizeForTempo"));
    EXPECT_TRUE(appender.SetParam("Threshold", "warn"));
    EXPECT_EQ(Levels::Warn, appender.Threshold);
    EXPECT_FALSE(appender.SetParam("ClearScreen", "true"));  // colour class only
    EXPECT_EQ("", appender.GetParam("ClearScreen"));

    // Whoever holds port 4884 on this machine decides whether the default can be seen.
    Listener listener;
    if (listener.Bind(Loopback1, 4884)) {
        CUDPConsoleAppender defaults("defaults", Levels::All);
        std::string error;
        ASSERT_TRUE(defaults.Start(error)) << error;
        CLogger logger("x", Levels::All, true);
        logger.AddAppender(&defaults);
        logger.Log(Levels::Info, "to the default console");
        EXPECT_EQ(std::vector<std::string>{"to the default console\r\n"}, listener.Take(1));
    }
}

TEST(UDPConsoleAppender, HostsListKeepsEveryPieceInOrder) {
    using Pieces = std::vector<std::string_view>;
    EXPECT_EQ((Pieces{"a", "", "b"}), CUDPConsoleAppender::SplitHosts("a, b"));
    EXPECT_EQ((Pieces{"pc1", "pc2"}), CUDPConsoleAppender::SplitHosts("pc1;pc2"));
    EXPECT_EQ((Pieces{""}), CUDPConsoleAppender::SplitHosts(""));
    EXPECT_EQ((Pieces{"", "x", "", ""}), CUDPConsoleAppender::SplitHosts(";x, "));

    EXPECT_EQ(platform::ParseIpv4Address("192.168.0.10"),
              CUDPConsoleAppender::ResolveHost("192.168.0.10"));
    // Digits and dots that make no address, and names too long to be a host, stand
    // for the invalid address; nothing is looked up for them.
    EXPECT_EQ(platform::NoIpv4Address, CUDPConsoleAppender::ResolveHost("1.2.3.4.5"));
    EXPECT_EQ(platform::NoIpv4Address, CUDPConsoleAppender::ResolveHost(std::string(128, 'h')));
    EXPECT_EQ(platform::NoIpv4Address,
              CUDPConsoleAppender::ResolveHost(std::string(200, '1') + ".1"));

    CUDPConsoleAppender appender("udp", Levels::All);
    std::string longName(300, 'n');
    EXPECT_TRUE(appender.SetParam("Hosts", "127.0.0.9;localhost," + longName + ";127.0.0.9"));
    EXPECT_EQ((std::vector<platform::Ipv4Address>{platform::ParseIpv4Address("127.0.0.9"),
                                                  Loopback1, platform::NoIpv4Address,
                                                  platform::ParseIpv4Address("127.0.0.9")}),
              appender.GetDestinations());
    EXPECT_EQ("127.0.0.9;localhost," + longName + ";127.0.0.9", appender.GetParam("hosts"));
}

TEST(UDPConsoleAppender, SendsWholeTextToEachDestinationInDatagrams) {
    TwoDestinations to;
    ASSERT_TRUE(to.Bind());
    CUDPConsoleAppender appender("udp", Levels::All);
    appender.SetParam("hosts", std::string("127.0.0.1;") + to.Address(1));
    appender.SetParam("port", PortText(to.Port()));
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    std::string error;

    logger.LogError("not started");  // dropped
    ASSERT_TRUE(appender.Start(error)) << error;
    EXPECT_TRUE(appender.HasSocket());

    // 2498 characters and a line feed: 2500 bytes once the line feed is "\r\n".
    std::string message(2498, 'm');
    message[0] = 'A';
    message[2497] = 'Z';
    logger.LogError("%s", message.c_str());
    for (int index = 0; index < 2; ++index) {
        std::vector<std::string> datagrams = to[index].Take(3);
        EXPECT_EQ((std::vector<size_t>{1024, 1024, 452}), Sizes(datagrams));
        EXPECT_EQ(message + "\r\n", Joined(datagrams));
    }

    // Every line feed becomes "\r\n", also one that follows a carriage return.
    logger.Log(Levels::Raw, "a\r\nb\nc");
    EXPECT_EQ(std::vector<std::string>{"a\r\r\nb\r\nc"}, to[0].Take(1));
    EXPECT_EQ(std::vector<std::string>{"a\r\r\nb\r\nc"}, to[1].Take(1));

    // An empty text sends nothing; a long one is cut to its first 65535 bytes.
    logger.Log(Levels::Raw, "");
    std::string lineFeeds(40000, '\n');  // 80000 bytes once converted
    logger.Log(Levels::Raw, lineFeeds.c_str());
    std::vector<std::string> datagrams = to[0].Take(64);
    ASSERT_EQ(64u, datagrams.size());
    EXPECT_EQ(1023u, datagrams.back().size());
    std::string expected;
    for (int i = 0; i < 32767; ++i)
        expected += "\r\n";
    EXPECT_EQ(expected + "\r", Joined(datagrams));
    EXPECT_EQ(64u, to[1].Take(64).size());
    EXPECT_TRUE(to[0].Quiet());

    EXPECT_TRUE(appender.Stop(error));
    EXPECT_FALSE(appender.HasSocket());
}

TEST(UDPConsoleAppender, FailedSendPrintsErrorAndOthersStillReceive) {
    TwoDestinations to;
    ASSERT_TRUE(to.Bind());
    CUDPConsoleAppender appender("udp", Levels::All);
    // The overlong name stands for the invalid address, to which no send succeeds.
    appender.SetParam("hosts", "127.0.0.1;" + std::string(200, 'u') + ";" + to.Address(1));
    appender.SetParam("port", PortText(to.Port()));
    std::string error;
    ASSERT_TRUE(appender.Start(error)) << error;
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);

    testing::internal::CaptureStdout();
    logger.Log(Levels::Warn, "one");
    logger.Log(Levels::Warn, "two");
    std::fflush(stdout);
    std::string printed = testing::internal::GetCapturedStdout();

    int code = 0;
    ASSERT_EQ(1, std::sscanf(printed.c_str(), "SendToError:%d", &code)) << printed;
    EXPECT_NE(0, code);
    EXPECT_EQ(printed, "SendToError:" + std::to_string(code) +
                           "\nSendToError:" + std::to_string(code) + "\n");
    for (const char* record : {"one\r\n", "two\r\n"}) {
        EXPECT_EQ(std::vector<std::string>{record}, to[0].Take(1));
        EXPECT_EQ(std::vector<std::string>{record}, to[1].Take(1));
    }
}

TEST(UDPConsoleAppender, TempoPausesThroughThePlatformSleep) {
    TwoDestinations to;
    ASSERT_TRUE(to.Bind());
    testsupport::SettableClock clock;
    CUDPConsoleAppender appender("udp", Levels::All);
    appender.SetParam("hosts", std::string("127.0.0.1 ") + to.Address(1));
    appender.SetParam("port", PortText(to.Port()));
    appender.SetParam("BlockSizeForTempo", "4096");
    appender.SetParam("WaitTimeForTempo", "50");
    std::string error;
    ASSERT_TRUE(appender.Start(error)) << error;
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);

    // Records of 1000 bytes, counted once however many destinations there are.
    std::string record(998, 'r');
    for (int i = 0; i < 4; ++i)
        logger.Log(Levels::Info, record.c_str());
    EXPECT_TRUE(clock.Sleeps().empty());  // 4000 bytes
    logger.Log(Levels::Info, record.c_str());
    EXPECT_EQ(std::vector<uint32_t>{50}, clock.Sleeps());  // 5000 bytes: pause, count anew
    EXPECT_EQ(0u, appender.BytesSinceTempo);
    for (int i = 0; i < 4; ++i)
        logger.Log(Levels::Info, record.c_str());
    EXPECT_EQ(1u, clock.Sleeps().size());
    logger.Log(Levels::Info, std::string(94, 's').c_str());  // exactly 4096
    EXPECT_EQ((std::vector<uint32_t>{50, 50}), clock.Sleeps());
    EXPECT_EQ(10u, to[0].Take(10).size());
    EXPECT_EQ(10u, to[1].Take(10).size());

    // Either value 0 switches the pause off.
    appender.SetParam("WaitTimeForTempo", "0");
    for (int i = 0; i < 5; ++i)
        logger.Log(Levels::Info, record.c_str());
    appender.SetParam("WaitTimeForTempo", "50");
    appender.SetParam("BlockSizeForTempo", "0");
    for (int i = 0; i < 5; ++i)
        logger.Log(Levels::Info, record.c_str());
    EXPECT_EQ(2u, clock.Sleeps().size());
}

TEST(UDPConsoleAppender, OpenAndCloseFrameTheRecords) {
    Listener listener;
    ASSERT_TRUE(listener.Bind(Loopback1, 0));
    FramingLayout layout;
    std::string error;

    CUDPConsoleAppender inactive("udp", Levels::All);
    inactive.Layout = &layout;
    inactive.SetParam("hosts", "127.0.0.1");
    inactive.SetParam("port", PortText(listener.Port()));
    inactive.SetParam("Active", "false");
    EXPECT_TRUE(inactive.Start(error));
    EXPECT_FALSE(inactive.HasSocket());
    EXPECT_TRUE(inactive.Stop(error));
    EXPECT_TRUE(listener.Quiet());  // neither header nor footer

    CUDPConsoleAppender appender("udp", Levels::All);
    appender.Layout = &layout;
    appender.SetParam("hosts", "127.0.0.1");
    appender.SetParam("port", PortText(listener.Port()));
    EXPECT_TRUE(appender.Start(error));
    EXPECT_TRUE(appender.Start(error));  // a second open keeps the socket and sends nothing
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    logger.Log(Levels::Info, "record");
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_TRUE(appender.Stop(error));  // already closed: no second footer
    EXPECT_EQ((std::vector<std::string>{"<begin>\r\n", "INFO - record\r\r\n", "<end>\r\n"}),
              listener.Take(3));
    EXPECT_TRUE(listener.Quiet());
}

TEST(UDPConsoleColorAppender, WrapsEachRecordInItsLevelColour) {
    Listener listener;
    ASSERT_TRUE(listener.Bind(Loopback1, 0));
    CUDPConsoleColorAppender appender("colour", Levels::All);
    EXPECT_STREQ("UDPConsoleColorAppender", appender.GetClassName());
    EXPECT_EQ("false", appender.GetParam("ClearScreen"));
    EXPECT_TRUE(appender.SetParam("port", PortText(listener.Port())));
    EXPECT_TRUE(appender.SetParam("hosts", "127.0.0.1"));
    EXPECT_EQ("127.0.0.1", appender.GetParam("HOSTS"));
    std::string error;
    ASSERT_TRUE(appender.Start(error)) << error;
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);

    logger.LogError("x");
    EXPECT_EQ(std::vector<std::string>{"\033[01;31mx\r\n\033[0m"}, listener.Take(1));
    logger.Log(Levels::Alert, "a");
    EXPECT_EQ(std::vector<std::string>{"\033[0ma\r\n\033[0m"}, listener.Take(1));

    struct Case {
        Level level;
        const char* colour;
    } cases[] = {{Levels::Trace, "\033[01;34m"}, {Levels::Debug, "\033[01;36m"},
                 {Levels::Info, "\033[01;37m"},  {Levels::Warn, "\033[01;33m"},
                 {Levels::Fatal, "\033[01;35m"}, {Levels::Force, "\033[01;32m"},
                 {Levels::Critical, "\033[0m"},  {Levels::Notice, "\033[0m"},
                 {Levels::NotSet, "\033[0m"},    {Levels::Raw, "\033[0m"}};
    for (const Case& c : cases) {
        logger.Log(c.level, "t");
        std::string text = c.level == Levels::Raw ? "t" : "t\r\n";
        EXPECT_EQ(std::vector<std::string>{c.colour + text + "\033[0m"}, listener.Take(1))
            << c.level;
    }
    // The sequences travel in the same datagrams as a long text.
    logger.LogError("%s", std::string(2000, 'e').c_str());
    std::vector<std::string> datagrams = listener.Take(2);
    EXPECT_EQ((std::vector<size_t>{1024, 2000 + 2 + 8 + 4 - 1024}), Sizes(datagrams));
    EXPECT_EQ(0u, datagrams[0].find("\033[01;31meee"));
    EXPECT_TRUE(appender.Stop(error));
}

TEST(UDPConsoleColorAppender, ClearScreenComesBeforeTheHeader) {
    Listener listener;
    ASSERT_TRUE(listener.Bind(Loopback1, 0));
    FramingLayout layout;
    CUDPConsoleColorAppender appender("colour", Levels::All);
    appender.Layout = &layout;
    appender.SetParam("hosts", "127.0.0.1");
    appender.SetParam("port", PortText(listener.Port()));
    EXPECT_TRUE(appender.SetParam("clearscreen", "TRUE"));
    EXPECT_EQ("true", appender.GetParam("ClearScreen"));
    std::string error;
    ASSERT_TRUE(appender.Start(error)) << error;
    EXPECT_TRUE(appender.Stop(error));
    // Header and footer are not coloured.
    EXPECT_EQ((std::vector<std::string>{"\0334", "<begin>\r\n", "<end>\r\n"}), listener.Take(3));

    appender.SetParam("ClearScreen", "false");
    ASSERT_TRUE(appender.Start(error)) << error;
    EXPECT_EQ((std::vector<std::string>{"<begin>\r\n"}), listener.Take(1));
    EXPECT_TRUE(appender.Stop(error));
}
