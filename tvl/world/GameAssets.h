#pragma once
// Start-up loading of the game's assets, and the map list.
#include "audio/Audio.h"

namespace tvl {
void loadGameAssets();
void clearMapList();

// "up", "Vehicles\NitroBoost", "Contact\BombHit"; -1 until loaded.
extern kv::Audio::SoundNumber upSound;
extern kv::Audio::SoundNumber nitroBoostSound;
extern kv::Audio::SoundNumber bombHitSound;
}
