#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/Udp.h"
#include "platform/UdpNameResolver.h"
#include "tests/support/SettableClock.h"

using namespace platform;

// Address texts and sending through the socket appenders are also covered by the
// UDP console appender tests; these are what only the socket itself shows. (The texts are
// formatted byte by byte: a parse into the wrong byte order shows.)
TEST(Udp, AddressTextsAndSocketOwnership) {
    Ipv4Address loopback = ParseIpv4Address("127.0.0.1");
    // inet_addr's forms: short forms fill the last part, a leading 0 is octal.
    std::string formatted;
    for (const char* text : {"10.20.30.255", "127.1", "1.2.772", "010.0.0.0377", "16909060"})
        formatted += FormatIpv4Address(ParseIpv4Address(text)) + " ";
    EXPECT_EQ("10.20.30.255 127.0.0.1 1.2.3.4 8.0.0.255 1.2.3.4 ", formatted);
    for (const char* bad : {"300.1.1.1", "1.2.3.4.5", "1..2", "1.2.", ".1", "", "09.1", "1.65536.1",
                            "99999999999", "1.2.3.256"})
        EXPECT_EQ(NoIpv4Address, ParseIpv4Address(bad)) << bad;

    UdpSocket listener;
    ASSERT_TRUE(listener.Bind(loopback, 0));
    uint16_t port = listener.LocalPort();
    UdpSocket rival;
    EXPECT_FALSE(rival.Bind(loopback, port));  // the port is taken

    UdpSocket sender;
    int error = 0;
    ASSERT_TRUE(sender.Create());
    // Moving hands the socket over; the moved-from one is empty.
    UdpSocket moved(std::move(sender));
    EXPECT_FALSE(sender.IsValid());
    std::string payload("with\0zero", 9), datagram;
    ASSERT_TRUE(moved.SendTo(loopback, port, payload.data(), payload.size(), error));
    ASSERT_TRUE(listener.Receive(datagram, 2000));
    EXPECT_EQ(payload, datagram);
}

namespace {
std::atomic<int> g_lookUps{0};
std::atomic<bool> g_answerSlowName{false};

// "slow" answers only when let, "bad" never resolves, every other name is 10.0.0.1.
bool FakeLookUp(std::string_view name, Ipv4Address& address) {
    ++g_lookUps;
    while (name == "slow" && !g_answerSlowName)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    address = ParseIpv4Address("10.0.0.1");
    return name != "bad";
}
}  // namespace

TEST(HostNameResolver, WaitsOnlyWithinItsBudgetAndRetriesAFailureAfterAMinute) {
    testsupport::SettableClock clock;  // the retry goes by the tick count
    HostNameResolver resolver(FakeLookUp, 200);
    HostNameAnswer answers[3] = {{"good"}, {"bad"}, {"slow"}};
    resolver.LookUp(answers, 2, true);
    EXPECT_TRUE(answers[0].answered && answers[1].answered);
    EXPECT_EQ(ParseIpv4Address("10.0.0.1"), answers[0].address);
    EXPECT_EQ(NoIpv4Address, answers[1].address);

    // The slow name is waited for until the budget is spent, and then no more.
    auto start = std::chrono::steady_clock::now();
    resolver.LookUp(answers, 3, true);
    resolver.LookUp(answers, 3, true);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(answers[2].answered);
    EXPECT_GE(waited, std::chrono::milliseconds(190));
    EXPECT_LT(waited, std::chrono::milliseconds(1000));
    g_answerSlowName = true;
    for (int i = 0; i < 2000 && !answers[2].answered; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        resolver.LookUp(answers, 3, false);
    }
    EXPECT_TRUE(answers[2].answered);

    // The failed name is looked up again once a minute has passed, not before.
    clock.Advance(HostNameResolver::RetryMilliseconds - 1);
    resolver.LookUp(answers, 3, false);
    EXPECT_EQ(3, g_lookUps);
    clock.Advance(1);
    resolver.LookUp(answers, 3, false);
    for (int i = 0; i < 2000 && g_lookUps < 4; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(4, g_lookUps);
}
