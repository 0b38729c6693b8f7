#include <gtest/gtest.h>

#include <string>

#include "platform/Udp.h"

using namespace platform;

// Address texts and sending through the socket appenders are also covered by the
// UDP console appender tests; these are what only the socket itself shows.
TEST(Udp, AddressTextsAndSocketOwnership) {
    Ipv4Address loopback = ParseIpv4Address("127.0.0.1");
    EXPECT_EQ(127, reinterpret_cast<const unsigned char*>(&loopback)[0]);  // network order
    EXPECT_EQ("10.20.30.255", FormatIpv4Address(ParseIpv4Address("10.20.30.255")));
    EXPECT_EQ(NoIpv4Address, ParseIpv4Address("300.1.1.1"));

    UdpSocket listener;
    EXPECT_EQ(0, listener.LocalPort());
    ASSERT_TRUE(listener.Bind(loopback, 0));
    uint16_t port = listener.LocalPort();
    UdpSocket rival;
    EXPECT_FALSE(rival.Bind(loopback, port));  // the port is taken

    UdpSocket sender;
    int error = 0;
    EXPECT_FALSE(sender.SendTo(loopback, port, "x", 1, error));  // not created yet
    EXPECT_NE(0, error);
    ASSERT_TRUE(sender.Create());
    // Moving hands the socket over; the moved-from one is empty.
    UdpSocket moved(std::move(sender));
    EXPECT_FALSE(sender.IsValid());
    std::string payload("with\0zero", 9), datagram;
    ASSERT_TRUE(moved.SendTo(loopback, port, payload.data(), payload.size(), error));
    ASSERT_TRUE(listener.Receive(datagram, 2000));
    EXPECT_EQ(payload, datagram);
    moved.Close();
    EXPECT_FALSE(moved.SendTo(loopback, port, "z", 1, error));
    EXPECT_FALSE(listener.Receive(datagram, 50));
}
