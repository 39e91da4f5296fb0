#include "net/UdpTransport.h"

namespace tvl {

bool UdpTransport::bind(uint16_t port, const sf::IpAddress& address)
{
    socket.setBlocking(false);
    return socket.bind(port, address) == sf::Socket::Done;
}

void UdpTransport::unbind()
{
    socket.unbind();
}

uint16_t UdpTransport::localPort() const
{
    return socket.getLocalPort();
}

sf::Socket::Status UdpTransport::send(const void* data, std::size_t size, const sf::IpAddress& address,
                                      uint16_t port)
{
    return socket.send(data, size, address, port);
}

std::optional<NetAddress> UdpTransport::receive(sf::Packet& packet)
{
    sf::IpAddress address;
    unsigned short port = 0;
    if (socket.receive(packet, address, port) != sf::Socket::Done)
        return std::nullopt;
    return NetAddress{address, port};
}

} // namespace tvl
