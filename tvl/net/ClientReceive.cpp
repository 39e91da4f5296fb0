// The client's half of the network tick: the server's world applied to the local copy.
#include "audio/Audio.h"
#include "core/Angle.h"
#include "core/Messages.h"
#include "core/Random.h"
#include "dialogs/Dialogs.h"
#include "net/Network.h"
#include "net/NetworkInternal.h"
#include "platform/Ascii.h"
#include "world/Effects.h"
#include "world/Game.h"
#include "world/Items.h"
#include "world/Player.h"

#include <algorithm>

namespace tvl {

namespace {

void addRemotePlayer(const wire::PlayerInfo& info)
{
    // A duplicated datagram, or the ID of a player already here: one player per ID.
    if (findPlayer(info.id))
        return;
    if (const auto player = addPlayer(info.colour, info.name, false)) {
        player->playerId = info.id;
        player->netTag = static_cast<uint32_t>(info.netTag);
    }
}

void setLocalId(uint16_t id)
{
    Player* local = localPlayer();
    if (!local) {
        kv::printError("Unable to set local player ID, local player not found");
        return;
    }
    const Player* holder = findPlayer(id);
    if (holder && holder != local)
        return;
    local->playerId = id;
}

int pickupIndex(int32_t id)
{
    const auto found = std::find_if(game.pickups.begin(), game.pickups.end(),
                                    [id](const Pickup& pickup) { return pickup.id == id; });
    return found == game.pickups.end() ? -1 : static_cast<int>(found - game.pickups.begin());
}

void takePickup(const wire::ItemPickedUp& taken)
{
    Player* player = findPlayer(taken.playerId);
    const int index = pickupIndex(taken.pickupId);
    if (!player || index < 0)
        return;
    const Pickup& pickup = game.pickups[index];
    if (pickup.type < 0 || pickup.type >= itemTypeCount)
        return;
    ++player->itemCounts[pickup.type];
    player->currentItem = pickup.type;
    kv::Audio::playSound(itemPickupSounds[pickup.type], {pickup.x, pickup.y}, false, "", -1.0f, true, 1.0f, 1.0f);
}

// Returns false when the network game must end.
// A packet naming a player nobody has is dropped silently.
bool dispatch(PacketType type, sf::Packet& packet)
{
    const wire::MapArea area = loadedMapArea();
    switch (type) {
    case PacketType::YourPlayerId:
        if (const auto v = wire::readPlayerId(packet))
            setLocalId(v->id);
        break;
    case PacketType::SpawnLocalPlayer:
        if (const auto v = wire::readPose(packet, area); v && localPlayer()) {
            const float angle = kv::wrapRadians(kv::randomFloat(0.0f, 360.0f) * kv::degreesToRadians);
            spawnPlayer(static_cast<int16_t>(localPlayer()->playerId), v->position, angle);
        }
        break;
    case PacketType::PlaySound:
        if (const auto v = wire::readPlaySound(packet, area))
            kv::Audio::playSound(kv::Audio::getSoundNumberForHash(v->soundName), v->position, false, v->voice,
                                 -1.0f, true, v->volume, v->pitch);
        break;
    case PacketType::ServerVersion:
        if (const auto v = wire::readText(packet)) {
            if (!kv::equalsIgnoreCase(v->text, kv::getAppNameAndVersion())) {
                kv::showMessage("Incorrect version, server is " + v->text);
                return false;
            }
            kv::printMessage("Client and server versions match: " + v->text);
        }
        break;
    case PacketType::ExistingPlayer:
        if (const auto v = wire::readExistingPlayer(packet))
            addRemotePlayer(*v);
        break;
    case PacketType::Kicked:
        if (const auto v = wire::readText(packet)) {
            shutdownNetwork();
            kv::showMessage(v->text);
            return false;
        }
        break;
    case PacketType::WeaponFired:
        if (const auto v = wire::readWeaponFired(packet, area)) {
            const float angle = v->angleDegrees * wireRadiansPerDegree;
            fireWeapon(v->weapon, &v->origin, &angle, static_cast<int16_t>(v->ownerId), v->targetId,
                       v->projectileId, &v->inherited);
        }
        break;
    case PacketType::ProjectileRemoved:
        if (const auto v = wire::readObjectId(packet))
            removeProjectile(v->id);
        break;
    case PacketType::DroneState:
        if (const auto v = wire::readPlayerFlag(packet)) {
            if (Player* p = findPlayer(v->id)) {
                p->droneActive = v->value;
                if (v->value) {
                    p->droneX = p->x + droneOffsetX;
                    p->droneY = p->y + droneOffsetY;
                    p->droneAngle = p->angle;
                }
            }
        }
        break;
    case PacketType::PlayerHit:
        if (const auto v = wire::readPlayerHit(packet); v && localPlayer())
            localPlayer()->hit(v->weapon, v->velocity);
        break;
    case PacketType::Debris:
        if (const auto v = wire::readDebris(packet, area))
            spawnDebris(&v->position, &v->velocity, &v->size, &v->maxSize, &v->colour, v->growthRate,
                        v->alphaScale, false);
        break;
    case PacketType::RemotePlayerX:
    case PacketType::RemotePlayerY: {
        const bool isX = type == PacketType::RemotePlayerX;
        if (const auto v = wire::readPlayerCoordinate(packet, area, isX ? wire::Axis::X : wire::Axis::Y)) {
            if (Player* p = findPlayer(v->id)) {
                const bool drivenHere = isLocallyControlled(p->playerId);
                float& field = drivenHere ? (isX ? p->x : p->y) : (isX ? p->netTargetX : p->netTargetY);
                field = v->value;
            }
        }
        break;
    }
    case PacketType::RemotePlayerAngle:
        if (const auto v = wire::readPlayerFloat(packet))
            if (Player* p = findPlayer(v->id))
                p->netTargetAngle = v->value * wireRadiansPerDegree;
        break;
    case PacketType::RemotePlayerSpeed:
        if (const auto v = wire::readPlayerFloat(packet))
            if (Player* p = findPlayer(v->id))
                p->speed = v->value;
        break;
    case PacketType::RemotePlayerNitro:
        if (const auto v = wire::readPlayerFlag(packet))
            if (Player* p = findPlayer(v->id))
                p->nitroActive = v->value;
        break;
    case PacketType::RemotePlayerDisabled:
        if (const auto v = wire::readPlayerFlag(packet))
            if (Player* p = findPlayer(v->id))
                p->disabledReceived = v->value;
        break;
    case PacketType::PlayerUsedItem:
        if (const auto v = wire::readPlayerItem(packet)) {
            if (Player* p = findPlayer(v->id)) {
                --p->itemCounts[v->item];
                p->useItem(v->item);
            }
        }
        break;
    case PacketType::PlayerValue:
        if (const auto v = wire::readPlayerValue(packet))
            if (Player* p = findPlayer(v->id))
                p->netTag = static_cast<uint32_t>(v->value);
        break;
    case PacketType::PlayerLeft:
        // removeDisconnectedPlayer keeps the player driven here.
        if (const auto v = wire::readPlayerId(packet))
            removeDisconnectedPlayer(static_cast<int16_t>(v->id));
        break;
    case PacketType::PlayerSpawned:
        if (const auto v = wire::readPlayerPose(packet, area); v && findPlayer(v->id))
            spawnPlayer(static_cast<int16_t>(v->id), v->pose.position, v->pose.angleDegrees * wireRadiansPerDegree);
        break;
    case PacketType::PlayerJoined:
        if (const auto v = wire::readPlayerJoined(packet))
            addRemotePlayer(*v);
        break;
    case PacketType::PlayerTokens:
        if (const auto v = wire::readPlayerTokens(packet))
            if (Player* p = findPlayer(v->id))
                p->tokens = v->tokens;
        break;
    case PacketType::DronePosition:
        if (const auto v = wire::readPlayerPoint(packet, area)) {
            if (Player* p = findPlayer(v->id)) {
                p->droneTargetX = v->position.x;
                p->droneTargetY = v->position.y;
            }
        }
        break;
    case PacketType::DroneAngle:
        if (const auto v = wire::readPlayerFloat(packet))
            if (Player* p = findPlayer(v->id))
                p->droneTargetAngle = v->value * wireRadiansPerDegree;
        break;
    case PacketType::TokenPosition:
        if (const auto v = wire::readPoint(packet, area)) {
            const bool there = game.token.present && game.token.x == v->position.x && game.token.y == v->position.y;
            if (!there)
                placeToken(v->position);
        }
        break;
    case PacketType::PickupAdded:
        if (const auto v = wire::readPickupAdded(packet, area); v && pickupIndex(v->id) < 0)
            addPickup(v->position, v->item, v->id);
        break;
    case PacketType::PickupRemoved:
        if (const auto v = wire::readObjectId(packet))
            removePickup(pickupIndex(v->id));
        break;
    case PacketType::ItemPickedUp:
        if (const auto v = wire::readItemPickedUp(packet))
            takePickup(*v);
        break;
    case PacketType::ChatMessage:
        if (const auto v = wire::readChatMessage(packet))
            printChatLine(playerIndexOf(v->id), v->text);
        break;
    case PacketType::ServerPingReply:
        if (const auto v = wire::readFlag(packet); v && v->value)
            kv::printMessage("Recieved ping reply from server");
        break;
    case PacketType::ServerPing:
        if (const auto v = wire::readFlag(packet)) {
            if (v->value)
                kv::printMessage("Recieved ping request from server");
            sf::Packet reply = makePacket(PacketType::ClientPingReply);
            reply << v->value;
            sendPacket(PacketDestination::Server, PacketType::ClientPingReply, reply, -1);
        }
        break;
    default:
        handleTextLine(type, packet);
    }
    return true;
}

} // namespace

bool clientReceive()
{
    if (!netTransport)
        return true;
    // Kept between calls: an idle tick allocates nothing.
    static sf::Packet packet;
    for (int i = 0; i < maxPacketsPerReceive; ++i) {
        const std::optional<NetAddress> from = netTransport->receive(packet);
        if (!from)
            break;
        if (*from != serverAddress) {
            reportUnknownSender(*from);
            continue;
        }
        int32_t rawType = 0;
        if (!(packet >> rawType))
            continue;
        const auto type = static_cast<PacketType>(rawType);
        if (type == PacketType::ServerShutdown)
            return false;
        serverHeardAt = netClockSeconds();
        if (!dispatch(type, packet))
            return false;
    }
    return true;
}

} // namespace tvl
