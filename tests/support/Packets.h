#pragma once
// Reading a written packet back field by field.
#include <SFML/Network/Packet.hpp>

namespace testsupport {

// The packet's next field as a T; T{} once the packet has run out.
template <typename T>
T next(sf::Packet& packet)
{
    T value{};
    packet >> value;
    return value;
}

} // namespace testsupport
