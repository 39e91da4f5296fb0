#pragma once
// The game's UDP socket behind the transport seam; the one place that touches sf::UdpSocket.
#include "net/Transport.h"

#include <SFML/Network/UdpSocket.hpp>

namespace tvl {

class UdpTransport final : public Transport {
public:
    // Binds the socket, non-blocking, to port (0: any free one) on address; false when that
    // port is taken. A new bind replaces the old one.
    bool bind(uint16_t port, const sf::IpAddress& address = sf::IpAddress::Any);
    void unbind();
    // The bound port, 0 when unbound.
    uint16_t localPort() const;

    sf::Socket::Status send(const void* data, std::size_t size, const sf::IpAddress& address,
                            uint16_t port) override;
    std::optional<NetAddress> receive(sf::Packet& packet) override;

private:
    sf::UdpSocket socket;
};

} // namespace tvl
