// Every packet reader over arbitrary bytes (the fields after the type): whatever a reader
// accepts must hold what it promises, finite floats, positions on the map, types in range,
// cleaned and cut strings.
#include "net/PacketReaders.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>

using namespace tvl;
using namespace tvl::wire;

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

void checkFinite(std::initializer_list<float> values)
{
    for (float v : values)
        check(std::isfinite(v));
}

void checkText(const std::string& text, std::size_t maxLength)
{
    check(text.size() <= maxLength);
    for (char c : text)
        check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
}

void checkName(const std::string& name)
{
    checkText(name, maxNameLength);
}

const MapArea area{{1600.0f, 800.0f}};

void checkOnMap(sf::Vector2f position)
{
    check(position.x >= -positionMargin && position.x <= area.size.x + positionMargin);
    check(position.y >= -positionMargin && position.y <= area.size.y + positionMargin);
}

void checkItem(ItemType item)
{
    check(item >= 0 && item < itemTypeCount);
}

void checkWeapon(WeaponType weapon)
{
    check(weapon == WeaponType::PulseCannon || weapon == WeaponType::DronePulse || weapon == WeaponType::Missile);
}

template <typename Read, typename Check>
void probe(const uint8_t* data, size_t size, Read read, Check holds)
{
    sf::Packet packet;
    packet.append(data, size);
    if (auto fields = read(packet))
        holds(*fields);
}

// A reader of positions, over the map area.
template <typename Fields>
auto onMap(std::optional<Fields> (*read)(sf::Packet&, const MapArea&))
{
    return [read](sf::Packet& packet) { return read(packet, area); };
}
template <typename Fields>
auto onAxis(std::optional<Fields> (*read)(sf::Packet&, const MapArea&, Axis), Axis axis)
{
    return [read, axis](sf::Packet& packet) { return read(packet, area, axis); };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sf::Packet whole;
    whole.append(data, size);
    readNoFields(whole);
    probe(data, size, readPlayerId, [](const PlayerId& f) { check(f.id <= 32767); });
    probe(data, size, readObjectId, [](const ObjectId& f) { check(f.id >= 0); });
    probe(data, size, readFloatValue, [](const FloatValue& f) { checkFinite({f.value}); });
    probe(data, size, onAxis(readCoordinate, Axis::X), [](const FloatValue& f) { checkOnMap({f.value, 0.0f}); });
    probe(data, size, onAxis(readCoordinate, Axis::Y), [](const FloatValue& f) { checkOnMap({0.0f, f.value}); });
    probe(data, size, readFlag, [](const Flag&) {});
    probe(data, size, readText, [](const Text& f) { checkText(f.text, maxTextLength); });
    probe(data, size, onMap(readPoint), [](const Point& f) { checkOnMap(f.position); });
    probe(data, size, onMap(readPose), [](const Pose& f) {
        checkOnMap(f.position);
        checkFinite({f.angleDegrees});
    });
    probe(data, size, readConnectRequest, [](const ConnectRequest& f) {
        checkName(f.name);
        check(f.colour.a == 255);
    });
    probe(data, size, readUseItem, [](const UseItem& f) { checkItem(f.item); });
    probe(data, size, onMap(readFireWeapon), [](const FireWeapon& f) {
        checkWeapon(f.weapon);
        checkOnMap(f.origin);
        checkFinite({f.angleDegrees, f.inherited.x, f.inherited.y});
        check(f.targetId >= -1);
    });
    probe(data, size, onMap(readDebris), [](const Debris& f) {
        checkOnMap(f.position);
        checkFinite({f.velocity.x, f.velocity.y, f.growthRate, f.alphaScale});
        check(f.maxSize.x > 0.0f && f.maxSize.x <= maxDebrisSize && f.size.x >= 0.0f && f.size.x <= maxDebrisSize);
    });
    probe(data, size, readConnectAccepted, [](const ConnectAccepted& f) {
        check(isPlainRelativePath(f.mapFile));
        check(f.tokensCount >= 1 && f.tokensCount <= 500 && f.skillLevel >= 0 && f.skillLevel <= 2 &&
              f.itemsDensity >= 0 && f.itemsDensity <= 4);
    });
    probe(data, size, onMap(readPlaySound), [](const PlaySound& f) {
        checkOnMap(f.position);
        check(f.voice.size() <= maxTextLength);
        check(f.volume >= 0.0f && f.volume <= 1.0f && f.pitch >= 0.01f && f.pitch <= 10.0f);
    });
    auto playerInfo = [](const PlayerInfo& f) {
        checkName(f.name);
        check(f.id <= 32767);
    };
    probe(data, size, readExistingPlayer, playerInfo);
    probe(data, size, readPlayerJoined, playerInfo);
    probe(data, size, onMap(readWeaponFired), [](const WeaponFired& f) {
        checkWeapon(f.weapon);
        checkOnMap(f.origin);
        checkFinite({f.angleDegrees, f.inherited.x, f.inherited.y});
        check(f.projectileId >= 0 && f.ownerId <= 32767 && f.targetId >= -1);
    });
    probe(data, size, readPlayerHit, [](const PlayerHit& f) {
        checkWeapon(f.weapon);
        checkFinite({f.velocity.x, f.velocity.y});
    });
    probe(data, size, readPlayerFloat, [](const PlayerFloat& f) { checkFinite({f.value}); });
    probe(data, size, onAxis(readPlayerCoordinate, Axis::X), [](const PlayerFloat& f) { checkOnMap({f.value, 0.0f}); });
    probe(data, size, onAxis(readPlayerCoordinate, Axis::Y), [](const PlayerFloat& f) { checkOnMap({0.0f, f.value}); });
    probe(data, size, readPlayerFlag, [](const PlayerFlag&) {});
    probe(data, size, readPlayerItem, [](const PlayerItem& f) { checkItem(f.item); });
    probe(data, size, readPlayerValue, [](const PlayerValue&) {});
    probe(data, size, onMap(readPlayerPose), [](const PlayerPose& f) {
        checkOnMap(f.pose.position);
        checkFinite({f.pose.angleDegrees});
    });
    probe(data, size, readPlayerTokens, [](const PlayerTokens& f) { check(f.tokens >= 0); });
    probe(data, size, onMap(readPlayerPoint), [](const PlayerPoint& f) { checkOnMap(f.position); });
    probe(data, size, onMap(readPickupAdded), [](const PickupAdded& f) {
        checkItem(f.item);
        check(f.id >= 0);
        checkOnMap(f.position);
    });
    probe(data, size, readItemPickedUp, [](const ItemPickedUp& f) { check(f.pickupId >= 0); });
    probe(data, size, readChatMessage, [](const ChatMessage& f) { checkText(f.text, maxTextLength); });
    return 0;
}
