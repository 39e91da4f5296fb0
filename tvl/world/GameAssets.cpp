#include "world/GameAssets.h"
namespace tvl {
kv::Audio::SoundNumber upSound = -1;
kv::Audio::SoundNumber nitroBoostSound = -1;
kv::Audio::SoundNumber bombHitSound = -1;
void loadGameAssets() {}
void clearMapList() {}
}
