#include "net/PacketReaders.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace tvl::wire {

namespace {

// The fields, when every read succeeded, nothing follows them and the checks hold.
template <typename T>
std::optional<T> accept(const sf::Packet& packet, bool sound, T fields)
{
    if (!packet || !packet.endOfPacket() || !sound)
        return std::nullopt;
    return fields;
}

bool finite(std::initializer_list<float> values)
{
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

bool isItem(int32_t type)
{
    return type >= 0 && type < itemTypeCount;
}

bool isWeapon(int32_t type)
{
    return type >= static_cast<int32_t>(WeaponType::PulseCannon) &&
           type <= static_cast<int32_t>(WeaponType::Missile);
}

std::string cut(std::string text, std::size_t length)
{
    if (text.size() > length)
        text.resize(length);
    return text;
}

bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

// Three bytes r, g, b; alpha is 255.
sf::Color readColour(sf::Packet& packet)
{
    uint8_t r = 0, g = 0, b = 0;
    packet >> r >> g >> b;
    return sf::Color(r, g, b, 255);
}

sf::Vector2f readVector(sf::Packet& packet)
{
    sf::Vector2f v;
    packet >> v.x >> v.y;
    return v;
}

bool holds(const MapArea& area, Axis axis, float value)
{
    return axis == Axis::X ? area.holdsX(value) : area.holdsY(value);
}

std::optional<PlayerInfo> readPlayerInfo(sf::Packet& packet, bool withNetTag)
{
    int16_t id = 0;
    std::string name;
    packet >> id >> name;
    const sf::Color colour = readColour(packet);
    int32_t netTag = 0;
    if (withNetTag)
        packet >> netTag;
    return accept(packet, id >= 0, PlayerInfo{static_cast<uint16_t>(id), cleanPlayerName(name), colour, netTag});
}

} // namespace

std::string cleanText(const std::string& text, std::size_t maxLength)
{
    std::string clean;
    for (char c : text)
        if (!isControl(c) && clean.size() < maxLength)
            clean += c;
    return clean;
}

std::string cleanPlayerName(const std::string& name)
{
    return cleanText(name, maxNameLength);
}

bool isPlainRelativePath(const std::string& path)
{
    if (path.empty() || path.size() > maxTextLength || path[0] == '/' || path[0] == '\\')
        return false;
    if (std::any_of(path.begin(), path.end(), [](char c) { return isControl(c) || c == ':'; }))
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = path.size();
        if (path.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

bool readNoFields(const sf::Packet& packet)
{
    return packet && packet.endOfPacket();
}

std::optional<PlayerId> readPlayerId(sf::Packet& packet)
{
    int16_t id = 0;
    packet >> id;
    return accept(packet, id >= 0, PlayerId{static_cast<uint16_t>(id)});
}

std::optional<ObjectId> readObjectId(sf::Packet& packet)
{
    int32_t id = 0;
    packet >> id;
    return accept(packet, id >= 0, ObjectId{id});
}

std::optional<FloatValue> readFloatValue(sf::Packet& packet)
{
    float value = 0.0f;
    packet >> value;
    return accept(packet, finite({value}), FloatValue{value});
}

std::optional<FloatValue> readCoordinate(sf::Packet& packet, const MapArea& area, Axis axis)
{
    float value = 0.0f;
    packet >> value;
    return accept(packet, holds(area, axis, value), FloatValue{value});
}

std::optional<Flag> readFlag(sf::Packet& packet)
{
    bool value = false;
    packet >> value;
    return accept(packet, true, Flag{value});
}

std::optional<Text> readText(sf::Packet& packet)
{
    std::string text;
    packet >> text;
    return accept(packet, true, Text{cleanText(text, maxTextLength)});
}

std::optional<Point> readPoint(sf::Packet& packet, const MapArea& area)
{
    const sf::Vector2f position = readVector(packet);
    return accept(packet, area.holds(position), Point{position});
}

std::optional<Pose> readPose(sf::Packet& packet, const MapArea& area)
{
    Pose pose;
    pose.position = readVector(packet);
    packet >> pose.angleDegrees;
    return accept(packet, area.holds(pose.position) && finite({pose.angleDegrees}), pose);
}

std::optional<ConnectRequest> readConnectRequest(sf::Packet& packet)
{
    std::string name;
    packet >> name;
    const sf::Color colour = readColour(packet);
    return accept(packet, true, ConnectRequest{cleanPlayerName(name), colour});
}

std::optional<UseItem> readUseItem(sf::Packet& packet)
{
    int32_t item = 0;
    packet >> item;
    return accept(packet, isItem(item), UseItem{static_cast<ItemType>(item)});
}

std::optional<FireWeapon> readFireWeapon(sf::Packet& packet, const MapArea& area)
{
    int32_t weapon = 0;
    FireWeapon f;
    packet >> weapon;
    f.origin = readVector(packet);
    packet >> f.angleDegrees;
    f.inherited = readVector(packet);
    packet >> f.targetId;
    f.weapon = static_cast<WeaponType>(weapon);
    const bool sound = isWeapon(weapon) && f.targetId >= -1 && area.holds(f.origin) &&
                       finite({f.angleDegrees, f.inherited.x, f.inherited.y});
    return accept(packet, sound, f);
}

std::optional<Debris> readDebris(sf::Packet& packet, const MapArea& area)
{
    Debris d;
    d.position = readVector(packet);
    d.velocity = readVector(packet);
    d.size = readVector(packet);
    d.maxSize = readVector(packet);
    packet >> d.colour.r >> d.colour.g >> d.colour.b >> d.colour.a >> d.growthRate >> d.alphaScale;
    const bool sound = area.holds(d.position) &&
                       debrisFieldsSound(d.position, d.velocity, d.size, d.maxSize, d.growthRate, d.alphaScale);
    return accept(packet, sound, d);
}

std::optional<ConnectAccepted> readConnectAccepted(sf::Packet& packet)
{
    ConnectAccepted a;
    packet >> a.mapFile >> a.tokensCount >> a.skillLevel >> a.itemsDensity;
    // The ranges tvl.ini keeps them in.
    a.tokensCount = std::clamp(a.tokensCount, 1, 500);
    a.skillLevel = std::clamp(a.skillLevel, 0, 2);
    a.itemsDensity = std::clamp(a.itemsDensity, 0, 4);
    return accept(packet, isPlainRelativePath(a.mapFile), a);
}

std::optional<PlaySound> readPlaySound(sf::Packet& packet, const MapArea& area)
{
    PlaySound s;
    packet >> s.soundName;
    s.position = readVector(packet);
    packet >> s.voice >> s.volume >> s.pitch;
    const bool sound = area.holds(s.position) && finite({s.volume, s.pitch});
    s.voice = cut(std::move(s.voice), maxTextLength);
    // Out-of-range gains and pitches only make the audio device complain.
    s.volume = std::clamp(s.volume, 0.0f, 1.0f);
    s.pitch = std::clamp(s.pitch, 0.01f, 10.0f);
    return accept(packet, sound, s);
}

std::optional<PlayerInfo> readExistingPlayer(sf::Packet& packet)
{
    return readPlayerInfo(packet, true);
}

std::optional<PlayerInfo> readPlayerJoined(sf::Packet& packet)
{
    return readPlayerInfo(packet, false);
}

std::optional<WeaponFired> readWeaponFired(sf::Packet& packet, const MapArea& area)
{
    int32_t weapon = 0;
    int16_t owner = 0;
    WeaponFired f;
    packet >> weapon >> f.projectileId;
    f.origin = readVector(packet);
    packet >> f.angleDegrees;
    f.inherited = readVector(packet);
    packet >> owner >> f.targetId;
    f.weapon = static_cast<WeaponType>(weapon);
    f.ownerId = static_cast<uint16_t>(owner);
    const bool sound = isWeapon(weapon) && f.projectileId >= 0 && owner >= 0 && f.targetId >= -1 &&
                       area.holds(f.origin) && finite({f.angleDegrees, f.inherited.x, f.inherited.y});
    return accept(packet, sound, f);
}

std::optional<PlayerHit> readPlayerHit(sf::Packet& packet)
{
    int32_t weapon = 0;
    packet >> weapon;
    const sf::Vector2f velocity = readVector(packet);
    return accept(packet, isWeapon(weapon) && finite({velocity.x, velocity.y}),
                  PlayerHit{static_cast<WeaponType>(weapon), velocity});
}

std::optional<PlayerFloat> readPlayerFloat(sf::Packet& packet)
{
    int16_t id = 0;
    float value = 0.0f;
    packet >> id >> value;
    return accept(packet, id >= 0 && finite({value}), PlayerFloat{static_cast<uint16_t>(id), value});
}

std::optional<PlayerFloat> readPlayerCoordinate(sf::Packet& packet, const MapArea& area, Axis axis)
{
    int16_t id = 0;
    float value = 0.0f;
    packet >> id >> value;
    return accept(packet, id >= 0 && holds(area, axis, value), PlayerFloat{static_cast<uint16_t>(id), value});
}

std::optional<PlayerFlag> readPlayerFlag(sf::Packet& packet)
{
    int16_t id = 0;
    bool value = false;
    packet >> id >> value;
    return accept(packet, id >= 0, PlayerFlag{static_cast<uint16_t>(id), value});
}

std::optional<PlayerItem> readPlayerItem(sf::Packet& packet)
{
    int16_t id = 0;
    int32_t item = 0;
    packet >> id >> item;
    return accept(packet, id >= 0 && isItem(item),
                  PlayerItem{static_cast<uint16_t>(id), static_cast<ItemType>(item)});
}

std::optional<PlayerValue> readPlayerValue(sf::Packet& packet)
{
    int16_t id = 0;
    int32_t value = 0;
    packet >> id >> value;
    return accept(packet, id >= 0, PlayerValue{static_cast<uint16_t>(id), value});
}

std::optional<PlayerPose> readPlayerPose(sf::Packet& packet, const MapArea& area)
{
    int16_t id = 0;
    packet >> id;
    if (id < 0)
        return std::nullopt;
    std::optional<Pose> pose = readPose(packet, area);
    if (!pose)
        return std::nullopt;
    return PlayerPose{static_cast<uint16_t>(id), *pose};
}

std::optional<PlayerTokens> readPlayerTokens(sf::Packet& packet)
{
    int16_t id = 0, tokens = 0;
    packet >> id >> tokens;
    return accept(packet, id >= 0 && tokens >= 0, PlayerTokens{static_cast<uint16_t>(id), tokens});
}

std::optional<PlayerPoint> readPlayerPoint(sf::Packet& packet, const MapArea& area)
{
    int16_t id = 0;
    packet >> id;
    const sf::Vector2f position = readVector(packet);
    return accept(packet, id >= 0 && area.holds(position),
                  PlayerPoint{static_cast<uint16_t>(id), position});
}

std::optional<PickupAdded> readPickupAdded(sf::Packet& packet, const MapArea& area)
{
    int32_t id = 0, item = 0;
    packet >> id;
    const sf::Vector2f position = readVector(packet);
    packet >> item;
    return accept(packet, id >= 0 && isItem(item) && area.holds(position),
                  PickupAdded{id, position, static_cast<ItemType>(item)});
}

std::optional<ItemPickedUp> readItemPickedUp(sf::Packet& packet)
{
    int16_t playerId = 0;
    int32_t pickupId = 0;
    packet >> playerId >> pickupId;
    return accept(packet, playerId >= 0 && pickupId >= 0,
                  ItemPickedUp{static_cast<uint16_t>(playerId), pickupId});
}

std::optional<ChatMessage> readChatMessage(sf::Packet& packet)
{
    int16_t id = 0;
    std::string text;
    packet >> id >> text;
    return accept(packet, id >= 0, ChatMessage{static_cast<uint16_t>(id), cleanText(text, maxTextLength)});
}

} // namespace tvl::wire
