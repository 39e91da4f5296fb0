#pragma once
// The seam between the packet layer and the socket: this machine's UDP socket in the program
// (net/UdpTransport.h), a fake in tests. Everything sent or received goes through netTransport.
#include <SFML/Network/IpAddress.hpp>
#include <SFML/Network/Packet.hpp>
#include <SFML/Network/Socket.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tvl {

// The machine a player is driven from; no address for the server's own player and for
// computer players. Equal when both addresses are absent or both equal, and the ports match.
struct NetAddress {
    std::optional<sf::IpAddress> address;
    uint16_t port = 0;

    bool operator==(const NetAddress&) const = default;
};

class Transport {
public:
    virtual ~Transport() = default;
    // One datagram to address:port; sf::Socket::Done when it went out whole.
    virtual sf::Socket::Status send(const void* data, std::size_t size, const sf::IpAddress& address,
                                    uint16_t port) = 0;
    // The next waiting datagram into packet, with its sender (whose address is always present);
    // nothing when none waits.
    virtual std::optional<NetAddress> receive(sf::Packet& packet) = 0;
};

// Null until a network game opens its socket: then nothing goes out and every send fails.
extern Transport* netTransport;

} // namespace tvl
