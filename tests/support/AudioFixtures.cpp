#include "support/AudioFixtures.h"

#include "support/Bytes.h"

#include <cmath>
#include <numbers>

namespace testsupport {

std::string makeWav(const std::vector<int16_t>& samples, int channels, int sampleRate)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    out += le32(36 + dataBytes);
    out += "WAVEfmt ";
    out += le32(16);
    out += le16(1); // PCM
    out += le16(static_cast<uint16_t>(channels));
    out += le32(static_cast<uint32_t>(sampleRate));
    out += le32(static_cast<uint32_t>(sampleRate * channels * 2));
    out += le16(static_cast<uint16_t>(channels * 2));
    out += le16(16);
    out += "data";
    out += le32(dataBytes);
    for (int16_t s : samples)
        out += le16(static_cast<uint16_t>(s));
    return out;
}

std::string makeSineWav(int frames, int sampleRate, int amplitude)
{
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; i++)
        samples[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(i * 2.0 * std::numbers::pi * 440.0 / sampleRate)));
    return makeWav(samples, 1, sampleRate);
}

std::string tinyMod()
{
    std::string mod(1084, '\0');
    mod.replace(0, 4, "test");
    const int sampleWords = 1000;
    char* s1 = &mod[20];
    s1[22] = static_cast<char>(sampleWords >> 8);
    s1[23] = static_cast<char>(sampleWords & 0xFF);
    s1[25] = 64; // volume
    s1[28] = static_cast<char>(sampleWords >> 8);
    s1[29] = static_cast<char>(sampleWords & 0xFF);
    for (int i = 1; i < 31; i++)
        mod[20 + i * 30 + 29] = 1; // unused samples: repeat length 1 word
    mod[950] = 1;   // song length
    mod[951] = 127;
    mod.replace(1080, 4, "M.K.");

    std::string pattern(1024, '\0');
    const int period = 428;
    for (int channel = 0; channel < 4; channel++) {
        char* cell = &pattern[channel * 4];
        cell[0] = static_cast<char>(period >> 8);
        cell[1] = static_cast<char>(period & 0xFF);
        cell[2] = 0x10; // sample 1, no effect
    }
    mod += pattern;
    for (int i = 0; i < sampleWords * 2; i++)
        mod += static_cast<char>(std::lround(100.0 * std::sin(i * 2.0 * std::numbers::pi / 100.0)));
    return mod;
}

} // namespace testsupport
