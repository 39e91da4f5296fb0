#pragma once
// The audio service: sound table, voices, volumes, music.
#include <cstdint>
#include <string>

namespace kv::Audio {

// Index into the sound table; -1 is no sound.
using SoundNumber = int32_t;

extern bool audioUp;

bool init();
void shutdown();
// Eases volumes and recycles finished voices; once per frame.
void pollSound();

// The sound of that name, or -1 (reported when reportMissing is set).
SoundNumber getSoundNumber(const std::string& name, bool reportMissing);

} // namespace kv::Audio
