#include "world/GameEvents.h"

#include "world/GameState.h"

namespace tvl {

void reportEvent(const GameEvent& event)
{
    game.events.push_back(event);
}

void reportSound(SoundNumber sound, float x, float y, uint32_t soundName)
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

} // namespace tvl
