#pragma once
// Sound and music files built in code for the audio tests.
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A 16-bit PCM WAV of the given interleaved samples.
std::string makeWav(const std::vector<int16_t>& samples, int channels, int sampleRate);
// frames of a sine at the given amplitude, one channel.
std::string makeSineWav(int frames, int sampleRate, int amplitude = 8000);

// A 4-channel "M.K." module: one pattern, a note of sample 1 on every channel, and a looped
// 2000-byte sine as that sample (about 3 KB).
std::string tinyMod();

} // namespace testsupport
