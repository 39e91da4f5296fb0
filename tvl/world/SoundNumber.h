#pragma once
// A sound as the rules name it: its number in the audio service's table (the same type as
// kv::Audio::SoundNumber, checked where the sounds play, EventSounds.cpp); -1 for none.
#include <cstdint>

namespace tvl {

using SoundNumber = int32_t;

} // namespace tvl
