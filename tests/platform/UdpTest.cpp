#include <gtest/gtest.h>

#include <string>

#include "platform/Clock.h"
#include "platform/Udp.h"

using namespace platform;

TEST(Udp, AddressesAndNames) {
    Ipv4Address loopback = ParseIpv4Address("127.0.0.1");
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&loopback);
    EXPECT_EQ(127, bytes[0]);  // network order: the first number comes first
    EXPECT_EQ(1, bytes[3]);
    EXPECT_EQ("127.0.0.1", FormatIpv4Address(loopback));
    EXPECT_EQ("10.20.30.255", FormatIpv4Address(ParseIpv4Address("10.20.30.255")));
    EXPECT_EQ(NoIpv4Address, ParseIpv4Address("300.1.1.1"));
    EXPECT_EQ(NoIpv4Address, ParseIpv4Address("not an address"));
    EXPECT_EQ("255.255.255.255", FormatIpv4Address(NoIpv4Address));

    Ipv4Address resolved = 0;
    ASSERT_TRUE(ResolveHostName("localhost", resolved));
    EXPECT_EQ(loopback, resolved);
}

TEST(Udp, SendsAndReceivesOnLoopbackWithBoundedWaits) {
    Ipv4Address loopback = ParseIpv4Address("127.0.0.1");
    UdpSocket listener;
    EXPECT_FALSE(listener.IsValid());
    EXPECT_EQ(0, listener.LocalPort());
    ASSERT_TRUE(listener.Bind(loopback, 0));
    uint16_t port = listener.LocalPort();
    ASSERT_NE(0, port);

    // The port is taken: a second socket cannot bind it.
    UdpSocket rival;
    EXPECT_FALSE(rival.Bind(loopback, port));

    std::string datagram = "stale";
    uint32_t before = system_clock::TickCount();
    EXPECT_FALSE(listener.Receive(datagram, 50));
    EXPECT_LT(system_clock::TickCount() - before, 5000u);

    UdpSocket sender;
    int error = 0;
    EXPECT_FALSE(sender.SendTo(loopback, port, "x", 1, error));  // not created yet
    EXPECT_NE(0, error);
    ASSERT_TRUE(sender.Create());
    std::string payload("with\0zero", 9);
    ASSERT_TRUE(sender.SendTo(loopback, port, payload.data(), payload.size(), error));
    ASSERT_TRUE(sender.SendTo(loopback, port, "", 0, error));
    ASSERT_TRUE(listener.Receive(datagram, 2000));
    EXPECT_EQ(payload, datagram);
    ASSERT_TRUE(listener.Receive(datagram, 2000));
    EXPECT_EQ("", datagram);

    // Moving hands the socket over; the moved-from one is empty.
    UdpSocket moved(std::move(sender));
    EXPECT_FALSE(sender.IsValid());
    ASSERT_TRUE(moved.SendTo(loopback, port, "y", 1, error));
    ASSERT_TRUE(listener.Receive(datagram, 2000));
    EXPECT_EQ("y", datagram);
    moved.Close();
    EXPECT_FALSE(moved.SendTo(loopback, port, "z", 1, error));
    EXPECT_FALSE(listener.Receive(datagram, 50));
}
