#include "world/EventSounds.h"

#include "audio/Audio.h"
#include "core/Settings.h"
#include "world/GameAssets.h"
#include "world/GameState.h"
#include "world/Player.h"

#include <SFML/Audio/Listener.hpp>

#include <string>
#include <type_traits>

namespace tvl {

static_assert(std::is_same_v<SoundNumber, kv::Audio::SoundNumber>, "the rules' sound numbers are the audio table's");

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
