#pragma once
// The fields of every packet a server or a client receives, and their readers. The receiver
// has already read the i32 type; a reader takes the rest and gives the fields only when the
// whole packet is sound, so nothing of a refused packet reaches the game. A reader refuses
// when a field cannot be read (a short packet), when bytes follow the last field (no peer
// of this protocol sends them, so they mean another layout), when a float is not finite, when
// a position lies off the map (MapArea), when a type is out of range (item 0..6, weapon 0..2)
// or a player ID negative. Names and texts have their control characters removed (so a text
// can neither start a line of its own in the log nor drive a terminal), then names are cut to
// 20 bytes and texts to 256: cleaned and cut, not refused. Nothing here touches game state.
// Which packet type uses which reader: net/Packets.h.
#include "world/Effects.h"
#include "world/Items.h"
#include "world/Projectiles.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Network/Packet.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tvl::wire {

constexpr std::size_t maxNameLength = 20;
constexpr std::size_t maxTextLength = 256;
// A player named on the wire by its i16 ID, never negative.
struct PlayerId {
    uint16_t id = 0;
};
struct ObjectId { // a projectile or pickup id, never negative
    int32_t id = 0;
};
struct FloatValue {
    float value = 0.0f;
};
struct Flag {
    bool value = false;
};
struct Text {
    std::string text;
};
struct Point {
    sf::Vector2f position;
};
struct Pose {
    sf::Vector2f position;
    float angleDegrees = 0.0f;
};

// How far beyond the map's edges a received position may lie, in world pixels. Everything the
// protocol places starts at a vehicle, a drone (80 px off its vehicle), the token or a pickup,
// all on the map; 256 px (16 tiles) leaves room for all of them, and refuses the values no game
// makes (a player at 1e30 would be relayed to every client).
constexpr float positionMargin = 256.0f;

// Where received positions may lie: the map of the game in progress, in world pixels, widened
// by positionMargin on every side.
struct MapArea {
    sf::Vector2f size;

    bool holdsX(float x) const { return x >= -positionMargin && x <= size.x + positionMargin; }
    bool holdsY(float y) const { return y >= -positionMargin && y <= size.y + positionMargin; }
    bool holds(sf::Vector2f position) const { return holdsX(position.x) && holdsY(position.y); }
};
enum class Axis { X, Y };

// Server side.
struct ConnectRequest {
    std::string name;
    sf::Color colour; // alpha 255
};
struct UseItem {
    ItemType item = Nitro;
};
struct FireWeapon {
    WeaponType weapon = WeaponType::PulseCannon;
    sf::Vector2f origin;
    float angleDegrees = 0.0f;
    sf::Vector2f inherited;
    int16_t targetId = -1; // -1: none
};
// DebrisRequest to the server and Debris to a client: refused as spawnDebris refuses it
// (debrisFieldsSound: finite, sizes 0..maxDebrisSize, maxSize.x above 0).
struct Debris {
    sf::Vector2f position, velocity, size, maxSize;
    sf::Color colour;
    float growthRate = 0.0f;
    float alphaScale = 0.0f;
};

// Client side.
// The settings are clamped as tvl.ini clamps them (tokens 1..500, skill 0..2, density 0..4).
// The map file must be a plain relative path: not empty, at most 256 characters, no control
// characters or ':', not starting with '/' or '\', no ".." component.
struct ConnectAccepted {
    std::string mapFile;
    int32_t tokensCount = 0;
    int32_t skillLevel = 0;
    int32_t itemsDensity = 0;
};
// Volume is clamped to 0..1 and pitch to 0.01..10; the voice name is cut as text.
struct PlaySound {
    uint32_t soundName = 0;
    sf::Vector2f position;
    std::string voice;
    float volume = 1.0f;
    float pitch = 1.0f;
};
// ExistingPlayer carries the netTag, PlayerJoined does not (0).
struct PlayerInfo {
    uint16_t id = 0;
    std::string name;
    sf::Color colour; // alpha 255
    int32_t netTag = 0;
};
struct WeaponFired {
    WeaponType weapon = WeaponType::PulseCannon;
    int32_t projectileId = 0; // never negative
    sf::Vector2f origin;
    float angleDegrees = 0.0f;
    sf::Vector2f inherited;
    uint16_t ownerId = 0;
    int16_t targetId = -1; // -1: none
};
struct PlayerHit {
    WeaponType weapon = WeaponType::PulseCannon;
    sf::Vector2f velocity;
};
struct PlayerFloat {
    uint16_t id = 0;
    float value = 0.0f;
};
struct PlayerFlag {
    uint16_t id = 0;
    bool value = false;
};
struct PlayerItem {
    uint16_t id = 0;
    ItemType item = Nitro;
};
struct PlayerValue {
    uint16_t id = 0;
    int32_t value = 0;
};
struct PlayerPose {
    uint16_t id = 0;
    Pose pose;
};
struct PlayerTokens {
    uint16_t id = 0;
    int16_t tokens = 0; // never negative
};
struct PlayerPoint {
    uint16_t id = 0;
    sf::Vector2f position;
};
struct PickupAdded {
    int32_t id = 0; // never negative
    sf::Vector2f position;
    ItemType item = Nitro;
};
struct ItemPickedUp {
    uint16_t playerId = 0;
    int32_t pickupId = 0; // never negative
};
struct ChatMessage {
    uint16_t id = 0;
    std::string text;
};

// True when nothing follows the type (1, 3, 14, 15).
bool readNoFields(const sf::Packet& packet);

std::optional<PlayerId> readPlayerId(sf::Packet& packet);
std::optional<ObjectId> readObjectId(sf::Packet& packet);
std::optional<FloatValue> readFloatValue(sf::Packet& packet);
// One coordinate of a position on that axis of area.
std::optional<FloatValue> readCoordinate(sf::Packet& packet, const MapArea& area, Axis axis);
std::optional<Flag> readFlag(sf::Packet& packet);
std::optional<Text> readText(sf::Packet& packet);
std::optional<Point> readPoint(sf::Packet& packet, const MapArea& area);
std::optional<Pose> readPose(sf::Packet& packet, const MapArea& area);

std::optional<ConnectRequest> readConnectRequest(sf::Packet& packet);
std::optional<UseItem> readUseItem(sf::Packet& packet);
std::optional<FireWeapon> readFireWeapon(sf::Packet& packet, const MapArea& area);
std::optional<Debris> readDebris(sf::Packet& packet, const MapArea& area);

std::optional<ConnectAccepted> readConnectAccepted(sf::Packet& packet);
std::optional<PlaySound> readPlaySound(sf::Packet& packet, const MapArea& area);
std::optional<PlayerInfo> readExistingPlayer(sf::Packet& packet);
std::optional<PlayerInfo> readPlayerJoined(sf::Packet& packet);
std::optional<WeaponFired> readWeaponFired(sf::Packet& packet, const MapArea& area);
std::optional<PlayerHit> readPlayerHit(sf::Packet& packet);
std::optional<PlayerFloat> readPlayerFloat(sf::Packet& packet);
// A player's coordinate on that axis of area.
std::optional<PlayerFloat> readPlayerCoordinate(sf::Packet& packet, const MapArea& area, Axis axis);
std::optional<PlayerFlag> readPlayerFlag(sf::Packet& packet);
std::optional<PlayerItem> readPlayerItem(sf::Packet& packet);
std::optional<PlayerValue> readPlayerValue(sf::Packet& packet);
std::optional<PlayerPose> readPlayerPose(sf::Packet& packet, const MapArea& area);
std::optional<PlayerTokens> readPlayerTokens(sf::Packet& packet);
std::optional<PlayerPoint> readPlayerPoint(sf::Packet& packet, const MapArea& area);
std::optional<PickupAdded> readPickupAdded(sf::Packet& packet, const MapArea& area);
std::optional<ItemPickedUp> readItemPickedUp(sf::Packet& packet);
std::optional<ChatMessage> readChatMessage(sf::Packet& packet);

// The rule of names and texts: control characters (below 0x20, and 0x7f) removed, then cut to
// at most maxLength bytes.
std::string cleanText(const std::string& text, std::size_t maxLength);
// The name rule of ConnectRequest and PlayerInfo: cleanText to maxNameLength.
std::string cleanPlayerName(const std::string& name);
// The map-file rule of ConnectAccepted.
bool isPlainRelativePath(const std::string& path);

} // namespace tvl::wire
