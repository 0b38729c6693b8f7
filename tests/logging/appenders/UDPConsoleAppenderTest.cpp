#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#endif

#include "logging/appenders/CUDPConsoleAppender.h"
#include "logging/appenders/CUDPConsoleColorAppender.h"
#include "logging/core/CLogger.h"
#include "platform/Udp.h"
#include "tests/support/FramingLayout.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;
using Datagrams = std::vector<std::string>;

namespace {

// Sockets on one port for two destinations: 127.0.0.1 and 127.0.0.2 where a socket may
// bind 127.0.0.2 (Wine binds only the addresses of its interfaces), otherwise 127.0.0.1
// twice, whose datagrams then arrive in the order the appender sends them.
struct Listeners {
    platform::UdpSocket sockets[2];
    bool distinct = false;

    Listeners() {
        for (platform::UdpSocket& socket : sockets)
            socket.SetReceiveBufferSize(1 << 20);  // the longest texts to two destinations
        sockets[0].Bind(platform::ParseIpv4Address("127.0.0.1"), 0);
        distinct = sockets[1].Bind(platform::ParseIpv4Address("127.0.0.2"), Port());
    }
    uint16_t Port() const { return sockets[0].LocalPort(); }
    std::string Hosts(const std::string& between) const {
        return std::string("127.0.0.1") + between + (distinct ? "127.0.0.2" : "127.0.0.1");
    }
    // At most `count` datagrams for destination `index`, each awaited for at most `wait` ms.
    Datagrams Take(int index, size_t count, uint32_t wait = 2000) {
        Datagrams datagrams;
        std::string datagram;
        while (datagrams.size() < count && sockets[distinct ? index : 0].Receive(datagram, wait))
            datagrams.push_back(datagram);
        return datagrams;
    }
};

// Configures the appender for hosts:port, opens it and has `logger` feed it.
void Open(CUDPConsoleAppender& appender, CLogger& logger, const std::string& hosts, uint16_t port) {
    appender.SetParam("hosts", hosts);
    appender.SetParam("port", std::to_string(port));
    std::string error;
    ASSERT_TRUE(appender.Start(error)) << error;
    logger.AddAppender(&appender);
}

}  // namespace

TEST(UDPConsoleAppender, HostsAndPortTexts) {
    CUDPConsoleAppender appender("udp", Levels::All);
    platform::Ipv4Address one = platform::ParseIpv4Address("127.0.0.1"),
                          nine = platform::ParseIpv4Address("127.0.0.9"),
                          no = platform::NoIpv4Address;
    EXPECT_EQ(std::vector<platform::Ipv4Address>{one}, appender.GetDestinations());
    EXPECT_EQ(4884, appender.GetPort());

    // Every separator makes a piece, empty ones included; duplicates are kept. A name too
    // long to be a host, like digits and dots that make no address, stands for the invalid
    // address without a look-up.
    std::string hosts = "127.0.0.9;LocalHost," + std::string(300, 'n') + ";127.0.0.9 ";
    EXPECT_TRUE(appender.SetParam("Hosts", hosts));
    EXPECT_EQ((std::vector<platform::Ipv4Address>{nine, one, no, nine, no}),
              appender.GetDestinations());
    EXPECT_EQ(hosts, appender.GetParam("hosts"));
    for (auto [host, known] : {std::pair<std::string, bool>{"1.2.3.4.5", true},
                               {std::string(128, 'h'), true},
                               {std::string(127, 'h'), false}}) {
        platform::Ipv4Address address = 0;
        EXPECT_EQ(known, CUDPConsoleAppender::AddressWithoutLookUp(host, address)) << host;
        EXPECT_EQ(no, address);
    }

    // The port wraps to 16 bits; an overlong text saturates instead of overrunning.
    EXPECT_TRUE(appender.SetParam("PORT", "70000"));
    EXPECT_EQ(70000 & 0xFFFF, appender.GetPort());
    EXPECT_EQ("70000", appender.GetParam("Port"));
    EXPECT_TRUE(appender.SetParam("port", std::string(40, '9')));
    EXPECT_EQ(0xFFFF, appender.GetPort());
}

TEST(UDPConsoleAppender, SendsWholeTextToEachDestinationThatTakesItAtItsTempo) {
    Listeners to;
    testsupport::SettableClock clock;  // pauses are recorded, not waited for
    CUDPConsoleAppender appender("udp", Levels::All);
    CLogger logger("x", Levels::All, true);
    // The overlong name stands for the invalid address, to which no send succeeds.
    Open(appender, logger, to.Hosts(";" + std::string(200, 'u') + ";"), to.Port());
    testing::internal::CaptureStdout();

    // Pieces of 1024 bytes. Every line feed becomes "\r\n", also one that follows a carriage
    // return.
    std::string message = "A" + std::string(2496, 'm') + "Z";
    logger.LogError("%s\r\nb\nc", message.c_str());
    for (int index = 0; index < 2; ++index)
        EXPECT_EQ((Datagrams{message.substr(0, 1024), message.substr(1024, 1024),
                             message.substr(2048) + "\r\r\nb\r\nc\r\n"}),
                  to.Take(index, 3));

    // An empty text sends nothing; a long one is cut to its first 65535 bytes.
    logger.Log(Levels::Raw, "");
    logger.Log(Levels::Raw, std::string(40000, '\n').c_str());
    std::string lineEnds;
    while (lineEnds.size() < 1024)
        lineEnds += "\r\n";
    Datagrams cut(63, lineEnds);
    cut.push_back(lineEnds.substr(0, 1023));
    for (int index = 0; index < 2; ++index)
        EXPECT_EQ(cut, to.Take(index, 64));
    EXPECT_TRUE(to.Take(0, 1, 100).empty());

    // Each text that fails to reach the invalid address is reported once.
    std::fflush(stdout);
    std::string printed = testing::internal::GetCapturedStdout();
    int code = 0;
    ASSERT_EQ(1, std::sscanf(printed.c_str(), "SendToError:%d", &code)) << printed;
    std::string line = "SendToError:" + std::to_string(code) + "\n";
    EXPECT_EQ(line + line, printed);
    std::string error;
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_FALSE(appender.HasSocket());

    // A pause after every 4096 bytes: records of 1000 bytes, counted once however many
    // destinations there are.
    appender.SetParam("BlockSizeForTempo", "4096");
    appender.SetParam("WaitTimeForTempo", "50");
    appender.SetParam("hosts", to.Hosts(" "));
    ASSERT_TRUE(appender.Start(error));
    std::string record(998, 'r');
    auto logRecords = [&](int count) {
        for (int i = 0; i < count; ++i)
            logger.Log(Levels::Info, record.c_str());
    };
    logRecords(4);
    EXPECT_TRUE(clock.Sleeps().empty());  // 4000 bytes
    logRecords(1);
    EXPECT_EQ(std::vector<uint32_t>{50}, clock.Sleeps());  // 5000 bytes: pause, count anew
    logRecords(4);
    logger.Log(Levels::Info, std::string(94, 's').c_str());  // exactly 4096
    EXPECT_EQ((std::vector<uint32_t>{50, 50}), clock.Sleeps());

    // Either value 0, or a negative time, switches the pause off.
    for (const char* wait : {"0", "-1", "-2147483648", "-99999999999"}) {
        appender.SetParam("WaitTimeForTempo", wait);
        logRecords(5);
    }
    appender.SetParam("WaitTimeForTempo", "50");
    appender.SetParam("BlockSizeForTempo", "0");
    logRecords(5);
    EXPECT_EQ(2u, clock.Sleeps().size());
}

TEST(UDPConsoleColorAppender, ColoursRecordsAndClearsTheScreenOnlyWhenActive) {
    Listeners to;
    CUDPConsoleColorAppender plain("plain", Levels::All);
    CLogger plainLogger("p", Levels::All, true);
    Open(plain, plainLogger, "127.0.0.1", to.Port());

    std::pair<Level, const char*> cases[] = {
        {Levels::Trace, "\033[01;34m"}, {Levels::Debug, "\033[01;36m"},
        {Levels::Info, "\033[01;37m"},  {Levels::Warn, "\033[01;33m"},
        {Levels::Error, "\033[01;31m"}, {Levels::Fatal, "\033[01;35m"},
        {Levels::Force, "\033[01;32m"}, {Levels::Notice, "\033[0m"},
        {Levels::Raw, "\033[0m"}};
    for (auto [level, colour] : cases) {
        plainLogger.Log(level, "t");
        std::string text = level == Levels::Raw ? "t" : "t\r\n";
        EXPECT_EQ(Datagrams{colour + text + "\033[0m"}, to.Take(0, 1)) << level;
    }
    // The sequences travel in the same datagrams as a long text.
    plainLogger.LogError("%s", std::string(2000, 'e').c_str());
    EXPECT_EQ(
        (Datagrams{"\033[01;31m" + std::string(1016, 'e'), std::string(984, 'e') + "\r\n\033[0m"}),
        to.Take(0, 2));

    // With a layout: the clear-screen sequence, then the header, ahead of the records.
    testsupport::FramingLayout layout;
    CLogger unused("u", Levels::All, true), logger("x", Levels::All, true);
    CUDPConsoleColorAppender inactive("off", Levels::All), appender("colour", Levels::All);
    for (CUDPConsoleColorAppender* each : {&inactive, &appender}) {
        each->Layout = &layout;
        EXPECT_TRUE(each->SetParam("clearscreen", "TRUE"));
    }
    inactive.SetParam("Active", "false");
    Open(inactive, unused, "127.0.0.1", to.Port());
    EXPECT_FALSE(inactive.HasSocket());

    // Opened and logged to under a module's loader, the appender sends nothing until a
    // record comes from outside it.
    platform::SetInsideModuleLoader(true);
    Open(appender, logger, "127.0.0.1", to.Port());
    std::string error;
    EXPECT_TRUE(appender.Start(error));  // a second open keeps what the first kept
    logger.Log(Levels::Info, "loader");
    platform::SetInsideModuleLoader(false);
    EXPECT_FALSE(appender.HasSocket());
    EXPECT_TRUE(to.Take(0, 1, 100).empty());
    logger.Log(Levels::Info, "record");
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_TRUE(appender.Stop(error));  // already closed: no second footer
    EXPECT_TRUE(inactive.Stop(error));
    // Header and footer are not coloured.
    EXPECT_EQ((Datagrams{"\0334", "<begin>\r\n", "\033[01;37mINFO - loader\r\r\n\033[0m",
                         "\033[01;37mINFO - record\r\r\n\033[0m", "<end>\r\n"}),
              to.Take(0, 5));
    EXPECT_TRUE(to.Take(0, 1, 100).empty());
}

#ifndef _WIN32
namespace {

// In a private mount and network namespace whose name server (127.0.0.1:53) never
// answers, and whose hosts file knows "goodname" as 127.0.0.1: configures and starts a
// UDP appender naming "deadname", "goodname" and 127.0.0.1, logs two records, and
// answers what went wrong ("" when nothing did, "skip" when namespaces are not allowed).
std::string LogUnderSilentNameServer() {
    ifreq loopback{};
    std::strcpy(loopback.ifr_name, "lo");
    int control = unshare(CLONE_NEWNS | CLONE_NEWNET) == 0 ? socket(AF_INET, SOCK_DGRAM, 0) : -1;
    if (control < 0 || ioctl(control, SIOCGIFFLAGS, &loopback) != 0 ||
        (loopback.ifr_flags |= IFF_UP, ioctl(control, SIOCSIFFLAGS, &loopback) != 0) ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("none", "/etc", "tmpfs", 0, nullptr) != 0)  // gone with the namespace
        return "skip";
    std::ofstream("/etc/resolv.conf") << "nameserver 127.0.0.1\noptions timeout:5 attempts:2\n";
    std::ofstream("/etc/hosts") << "127.0.0.1 localhost goodname\n";
    std::ofstream("/etc/nsswitch.conf") << "hosts: files dns\n";
    platform::UdpSocket silentNameServer;
    if (!silentNameServer.Bind(platform::ParseIpv4Address("127.0.0.1"), 53))
        return "cannot bind";
    Listeners to;

    std::string result;
    auto start = std::chrono::steady_clock::now();
    auto took = [&](const char* what, long long most) {
        auto now = std::chrono::steady_clock::now();
        long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
        if (ms > most)
            result += what + (" took " + std::to_string(ms) + " ms; ");
        start = now;
    };
    CUDPConsoleAppender appender("udp", Levels::All);
    CLogger logger("x", Levels::All, true);
    testing::internal::CaptureStdout();  // where a failed send is reported
    Open(appender, logger, "deadname;goodname;127.0.0.1", to.Port());
    took("configuring and opening", 50);
    // The first record waits for the names for at most a second, the next not at all.
    logger.LogError("first");
    took("the first record", 1200);
    logger.LogError("second");
    took("the second record", 50);
    // goodname and 127.0.0.1 get each record; deadname is skipped, not sent to.
    if (to.Take(0, 5, 200) != Datagrams{"first\r\n", "first\r\n", "second\r\n", "second\r\n"})
        result += "not each record once to goodname and to 127.0.0.1; ";
    std::fflush(stdout);
    return result + testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(UDPConsoleAppender, ANameServerThatNeverAnswersDelaysNothingButTheFirstRecord) {
    // The child ends at once, though the resolver may still wait on the name server.
    bool skipped = false;
    auto passed = [&skipped](int status) {
        skipped = WIFEXITED(status) && WEXITSTATUS(status) == 2;
        return WIFEXITED(status) && WEXITSTATUS(status) != 1;
    };
    EXPECT_EXIT(
        {
            std::string result = LogUnderSilentNameServer();
            std::fputs(result.c_str(), stderr);
            _exit(result == "skip" ? 2 : result.empty() ? 0 : 1);
        },
        passed, "");
    if (skipped)
        GTEST_SKIP() << "no private mount and network namespace here";
}
#endif
