// Every packet reader over arbitrary bytes (the fields after the type): whatever a reader
// accepts must hold what it promises, finite floats, types in range, cut strings.
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

void checkName(const std::string& name)
{
    check(name.size() <= maxNameLength);
    for (char c : name)
        check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sf::Packet whole;
    whole.append(data, size);
    readNoFields(whole);
    probe(data, size, readPlayerId, [](const PlayerId& f) { check(f.id <= 32767); });
    probe(data, size, readObjectId, [](const ObjectId& f) { check(f.id >= 0); });
    probe(data, size, readFloatValue, [](const FloatValue& f) { checkFinite({f.value}); });
    probe(data, size, readFlag, [](const Flag&) {});
    probe(data, size, readText, [](const Text& f) { check(f.text.size() <= maxTextLength); });
    probe(data, size, readPoint, [](const Point& f) { checkFinite({f.position.x, f.position.y}); });
    probe(data, size, readPose, [](const Pose& f) { checkFinite({f.position.x, f.position.y, f.angleDegrees}); });
    probe(data, size, readConnectRequest, [](const ConnectRequest& f) {
        checkName(f.name);
        check(f.colour.a == 255);
    });
    probe(data, size, readUseItem, [](const UseItem& f) { checkItem(f.item); });
    probe(data, size, readFireWeapon, [](const FireWeapon& f) {
        checkWeapon(f.weapon);
        checkFinite({f.origin.x, f.origin.y, f.angleDegrees, f.inherited.x, f.inherited.y});
        check(f.targetId >= -1);
    });
    probe(data, size, readDebris, [](const Debris& f) {
        checkFinite({f.position.x, f.position.y, f.velocity.x, f.velocity.y, f.growthRate, f.alphaScale});
        check(f.maxSize.x > 0.0f && f.maxSize.x <= maxDebrisSize && f.size.x >= 0.0f && f.size.x <= maxDebrisSize);
    });
    probe(data, size, readConnectAccepted, [](const ConnectAccepted& f) {
        check(isPlainRelativePath(f.mapFile));
        check(f.tokensCount >= 1 && f.tokensCount <= 500 && f.skillLevel >= 0 && f.skillLevel <= 2 &&
              f.itemsDensity >= 0 && f.itemsDensity <= 4);
    });
    probe(data, size, readPlaySound, [](const PlaySound& f) {
        checkFinite({f.position.x, f.position.y});
        check(f.voice.size() <= maxTextLength);
        check(f.volume >= 0.0f && f.volume <= 1.0f && f.pitch >= 0.01f && f.pitch <= 10.0f);
    });
    auto playerInfo = [](const PlayerInfo& f) {
        checkName(f.name);
        check(f.id <= 32767);
    };
    probe(data, size, readExistingPlayer, playerInfo);
    probe(data, size, readPlayerJoined, playerInfo);
    probe(data, size, readWeaponFired, [](const WeaponFired& f) {
        checkWeapon(f.weapon);
        checkFinite({f.origin.x, f.origin.y, f.angleDegrees, f.inherited.x, f.inherited.y});
        check(f.projectileId >= 0 && f.ownerId <= 32767 && f.targetId >= -1);
    });
    probe(data, size, readPlayerHit, [](const PlayerHit& f) {
        checkWeapon(f.weapon);
        checkFinite({f.velocity.x, f.velocity.y});
    });
    probe(data, size, readPlayerFloat, [](const PlayerFloat& f) { checkFinite({f.value}); });
    probe(data, size, readPlayerFlag, [](const PlayerFlag&) {});
    probe(data, size, readPlayerItem, [](const PlayerItem& f) { checkItem(f.item); });
    probe(data, size, readPlayerValue, [](const PlayerValue&) {});
    probe(data, size, readPlayerPose, [](const PlayerPose& f) {
        checkFinite({f.pose.position.x, f.pose.position.y, f.pose.angleDegrees});
    });
    probe(data, size, readPlayerTokens, [](const PlayerTokens& f) { check(f.tokens >= 0); });
    probe(data, size, readPlayerPoint, [](const PlayerPoint& f) { checkFinite({f.position.x, f.position.y}); });
    probe(data, size, readPickupAdded, [](const PickupAdded& f) {
        checkItem(f.item);
        check(f.id >= 0);
        checkFinite({f.position.x, f.position.y});
    });
    probe(data, size, readItemPickedUp, [](const ItemPickedUp& f) { check(f.pickupId >= 0); });
    probe(data, size, readChatMessage, [](const ChatMessage& f) { check(f.text.size() <= maxTextLength); });
    return 0;
}
