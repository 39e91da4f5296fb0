#include "world/GameEvents.h"

#include "core/Settings.h"
#include "world/GameAssets.h"
#include "world/GameState.h"
#include "world/Player.h"

#include <SFML/Audio/Listener.hpp>

#include <string>

namespace tvl {

void reportEvent(const GameEvent& event)
{
    game.events.push_back(event);
}

void reportSound(kv::Audio::SoundNumber sound, float x, float y, uint32_t soundName)
{
    GameEvent event;
    event.type = GameEventType::Sound;
    event.sound = sound;
    event.x = x;
    event.y = y;
    event.soundName = soundName;
    reportEvent(event);
}

void reportDroneState(uint16_t playerId, bool active)
{
    GameEvent event;
    event.type = GameEventType::DroneState;
    event.playerId = playerId;
    event.active = active;
    reportEvent(event);
}

void playEventSounds(const GameEventList& events)
{
    const Player* local = localPlayer();
    if (!game.paused && local && !local->isComputer) {
        sf::Listener::setPosition(local->x, local->y, kv::settings.soundListenerHeight);
        sf::Listener::setDirection(0.0f, 0.0f, -1.0f);
        kv::Audio::listenerPosition = {local->x, local->y};
    }
    for (const GameEvent& event : events) {
        if (event.type == GameEventType::Sound) {
            kv::Audio::playSound(event.sound, {event.x, event.y}, {.positional = true});
        } else if (event.type == GameEventType::NitroSound) {
            // Short enough to stay in the string's own buffer: no allocation each frame.
            const std::string voice = std::to_string(event.playerId) + "_NITRO";
            kv::Audio::playSound(nitroBoostSound, {event.x, event.y},
                                 {.loop = true, .voiceName = voice, .positional = true});
        }
    }
}

} // namespace tvl
