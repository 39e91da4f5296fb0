#pragma once
// A transport that records what is sent and hands out queued datagrams, for the packet layer
// and the receive tests.
#include "net/Transport.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace nettest {

struct SentDatagram {
    std::vector<uint8_t> bytes;
    sf::IpAddress address;
    uint16_t port = 0;
};

class FakeTransport final : public tvl::Transport {
public:
    // The statuses the next sends return, in order; the last one repeats. Empty: always Done.
    std::vector<sf::Socket::Status> statuses;
    int sendCalls = 0;
    // The datagrams that went out (Done only).
    std::vector<SentDatagram> sent;
    // Handed out by receive, oldest first.
    std::deque<std::pair<std::vector<uint8_t>, tvl::NetAddress>> incoming;

    sf::Socket::Status send(const void* data, std::size_t size, const sf::IpAddress& address,
                            uint16_t port) override
    {
        sf::Socket::Status status = sf::Socket::Done;
        if (!statuses.empty())
            status = statuses[std::min<std::size_t>(sendCalls, statuses.size() - 1)];
        ++sendCalls;
        if (status == sf::Socket::Done) {
            const auto* bytes = static_cast<const uint8_t*>(data);
            sent.push_back({std::vector<uint8_t>(bytes, bytes + size), address, port});
        }
        return status;
    }

    std::optional<tvl::NetAddress> receive(sf::Packet& packet) override
    {
        packet.clear();
        if (incoming.empty())
            return std::nullopt;
        auto [bytes, from] = std::move(incoming.front());
        incoming.pop_front();
        packet.append(bytes.data(), bytes.size());
        return from;
    }

    std::vector<uint16_t> sentPorts() const
    {
        std::vector<uint16_t> ports;
        for (const SentDatagram& d : sent)
            ports.push_back(d.port);
        return ports;
    }
};

} // namespace nettest
