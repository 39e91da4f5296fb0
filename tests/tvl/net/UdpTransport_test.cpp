// The socket wrapper over 127.0.0.1: a datagram goes across whole with its sender.
#include "net/Packets.h"
#include "net/UdpTransport.h"

#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

#include <string>

using namespace tvl;

TEST(UdpTransport, CarriesADatagramWithItsSenderOverLoopback)
{
    const sf::IpAddress local = sf::IpAddress::LocalHost;
    UdpTransport from, to;
    ASSERT_TRUE(from.bind(0, local));
    ASSERT_TRUE(to.bind(0, local));
    ASSERT_NE(to.localPort(), 0);

    sf::Packet packet;
    EXPECT_FALSE(to.receive(packet)); // nothing waits, and the socket does not block

    sf::Packet sent = makePacket(PacketType::TextLine);
    sent << std::string("hello");
    ASSERT_EQ(from.send(sent.getData(), sent.getDataSize(), local, to.localPort()), sf::Socket::Done);
    std::optional<NetAddress> sender;
    for (int i = 0; i < 200 && !sender; ++i) {
        sender = to.receive(packet);
        if (!sender)
            sf::sleep(sf::milliseconds(10));
    }
    ASSERT_TRUE(sender);
    EXPECT_EQ(*sender, (NetAddress{local, from.localPort()}));
    ASSERT_EQ(packet.getDataSize(), sent.getDataSize());
    EXPECT_EQ(std::string(static_cast<const char*>(packet.getData()), packet.getDataSize()),
              std::string(static_cast<const char*>(sent.getData()), sent.getDataSize()));

    UdpTransport taken;
    EXPECT_FALSE(taken.bind(to.localPort(), local));
    to.unbind();
    EXPECT_EQ(to.localPort(), 0);
}
