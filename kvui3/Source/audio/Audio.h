#pragma once
// The audio service: sound table, voices, volumes, music.
namespace kv::Audio {

extern bool audioUp;

bool init();
void shutdown();
// Eases volumes and recycles finished voices; once per frame.
void pollSound();

} // namespace kv::Audio
