// base/Music/ and base/music.pak: short looping tracker modules the tool composes itself. Each
// is a 4-channel ProTracker module ("M.K.") with synthesised 8-bit instruments; a mood sets
// the tempo, the scale, the chords, the drum and bass figures and the instruments, and a
// seeded melody is drawn over the chords.
#include "Content.h"
#include "Synth.h"

#include "audio/AssetWriter.h"
#include "core/PakWriter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace content {

namespace {

using synth::Signal;
using synth::Wave;

constexpr int kRows = 64;
constexpr int kChannels = 4;
constexpr int kRowsPerBar = 16;
// Playback rate of a sample at period 428 (C-2) on a PAL machine.
constexpr int kBaseRate = 8287;
// Pitched samples hold this many samples per cycle, so C-2 sounds at kBaseRate / 64 Hz (C3).
constexpr int kCycle = 64;

// ProTracker's periods, finetune 0, for C-1 .. B-3 (note numbers 0 .. 35).
constexpr std::array<uint16_t, 36> kPeriods = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453, 428, 404, 381, 360, 340, 320,
    302, 285, 269, 254, 240, 226, 214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

struct Cell {
    int note = -1;   // 0 .. 35, or -1 for none
    int sample = 0;  // 1 .. 31, or 0
    int effect = 0;
    int param = 0;
};
using Pattern = std::array<std::array<Cell, kChannels>, kRows>;

struct Instrument {
    std::string name;
    std::vector<int8_t> data; // even length
    int volume = 64;
    size_t loopStart = 0;     // bytes, even
    size_t loopLength = 0;    // bytes, even; 0 = not looped
};

struct Module {
    std::string title;
    std::vector<Instrument> instruments; // at most 31
    std::vector<Pattern> patterns;
    std::vector<int> order;
};

void putU16(std::vector<uint8_t>& out, size_t at, size_t value)
{
    out[at] = static_cast<uint8_t>((value >> 8) & 0xFF);
    out[at + 1] = static_cast<uint8_t>(value & 0xFF);
}

std::vector<uint8_t> writeMod(const Module& module)
{
    std::vector<uint8_t> out(1084, 0);
    std::copy_n(module.title.begin(), std::min<size_t>(module.title.size(), 20), out.begin());
    for (size_t i = 0; i < 31; i++) {
        const size_t at = 20 + i * 30;
        if (i >= module.instruments.size()) {
            putU16(out, at + 28, 1); // an empty sample repeats one word
            continue;
        }
        const Instrument& s = module.instruments[i];
        std::copy_n(s.name.begin(), std::min<size_t>(s.name.size(), 22), out.begin() + at);
        putU16(out, at + 22, s.data.size() / 2);
        out[at + 25] = static_cast<uint8_t>(s.volume);
        putU16(out, at + 26, s.loopLength ? s.loopStart / 2 : 0);
        putU16(out, at + 28, s.loopLength ? s.loopLength / 2 : 1);
    }
    out[950] = static_cast<uint8_t>(module.order.size());
    out[951] = 127;
    for (size_t i = 0; i < module.order.size(); i++)
        out[952 + i] = static_cast<uint8_t>(module.order[i]);
    std::copy_n("M.K.", 4, out.begin() + 1080);
    for (const Pattern& pattern : module.patterns)
        for (const auto& row : pattern)
            for (const Cell& cell : row) {
                const int period = cell.note >= 0 ? kPeriods[static_cast<size_t>(cell.note)] : 0;
                out.push_back(static_cast<uint8_t>((cell.sample & 0xF0) | (period >> 8)));
                out.push_back(static_cast<uint8_t>(period & 0xFF));
                out.push_back(static_cast<uint8_t>(((cell.sample & 0x0F) << 4) | (cell.effect & 0x0F)));
                out.push_back(static_cast<uint8_t>(cell.param));
            }
    for (const Instrument& s : module.instruments)
        out.insert(out.end(), reinterpret_cast<const uint8_t*>(s.data.data()),
                   reinterpret_cast<const uint8_t*>(s.data.data()) + s.data.size());
    return out;
}

// ---- Instruments ---------------------------------------------------------------------------

Instrument oneShot(const char* name, Signal signal, int volume = 64)
{
    synth::normalise(signal, 0.95f);
    Instrument s{name, synth::toPcm8(signal), volume, 0, 0};
    if (s.data.size() % 2)
        s.data.push_back(0);
    if (s.data.size() > 131070) // a sample holds at most 65535 words
        s.data.resize(131070);
    return s;
}

// A sustained tone made of partials that each fit a whole number of cycles into the loop, so
// the loop is seamless; detuned pairs beat slowly like a chorus. attack is in samples.
Instrument sustained(const char* name, const std::vector<std::pair<float, float>>& partials,
                     size_t attack, float lowPass, int volume)
{
    constexpr size_t kLoop = 4096; // 64 cycles of the fundamental
    const size_t count = attack + kLoop;
    Signal signal(count, 0.0f);
    for (const auto& [cycles, gain] : partials)
        for (size_t i = 0; i < count; i++)
            signal[i] += gain * std::sin(2.0f * 3.14159265f * cycles * static_cast<float>(i % kLoop) /
                                         static_cast<float>(kLoop));
    if (lowPass > 0.0f) {
        // Filter three loop lengths ahead so the filter has settled, then keep one period.
        Signal warm;
        for (int k = 0; k < 3; k++)
            warm.insert(warm.end(), signal.begin() + static_cast<long>(attack), signal.end());
        synth::lowPass(warm, synth::constant(warm.size(), lowPass), kBaseRate);
        for (size_t i = 0; i < count; i++)
            signal[i] = warm[2 * kLoop + (i + kLoop - attack % kLoop) % kLoop];
    }
    for (size_t i = 0; i < attack; i++)
        signal[i] *= static_cast<float>(i) / static_cast<float>(attack);
    synth::normalise(signal, 0.9f);
    return Instrument{name, synth::toPcm8(signal), volume, attack, kLoop};
}

// Karplus-Strong string: a burst of noise circulating through a damped delay of one cycle.
Instrument pluck(const char* name, float seconds, float damping, float brightness, uint32_t seed)
{
    synth::Noise noise(seed);
    const size_t count = synth::frames(seconds, kBaseRate);
    Signal signal(count);
    std::vector<float> line(kCycle);
    for (float& x : line)
        x = noise.next();
    float previous = 0.0f;
    for (size_t i = 0; i < count; i++) {
        const size_t at = i % kCycle;
        const float out = line[at];
        line[at] = damping * (brightness * out + (1.0f - brightness) * previous);
        previous = out;
        signal[i] = out;
    }
    return oneShot(name, signal);
}

// An FM bell: a sine carrier modulated at an inharmonic ratio, both decaying.
Instrument bell(const char* name, float seconds, float ratio, float index)
{
    const size_t count = synth::frames(seconds, kBaseRate);
    const float f = static_cast<float>(kBaseRate) / kCycle;
    Signal signal(count);
    for (size_t i = 0; i < count; i++) {
        const float t = static_cast<float>(i) / kBaseRate;
        const float decay = std::exp(-t * 3.0f);
        const float mod = index * decay * std::sin(2.0f * 3.14159265f * f * ratio * t);
        signal[i] = decay * std::sin(2.0f * 3.14159265f * f * t + mod);
    }
    return oneShot(name, signal);
}

// A bass note: a saw and a square one octave down (128-sample cycle), filtered, decaying.
Instrument bass(const char* name, float halfLife, float cutoff)
{
    const size_t count = synth::frames(0.9f, kBaseRate);
    const float f = static_cast<float>(kBaseRate) / (2 * kCycle);
    Signal signal = synth::oscillator(Wave::Saw, synth::constant(count, f), kBaseRate);
    synth::mixInto(signal, synth::oscillator(Wave::Square, synth::constant(count, f), kBaseRate), 0.5f);
    synth::lowPass(signal, synth::ramp(count, cutoff, cutoff * 0.3f, true), kBaseRate, 1.4f);
    synth::strike(signal, kBaseRate, 0.004f, halfLife);
    return oneShot(name, signal);
}

// Four channels at full volume clip DUMB's mix: every volume is scaled down by this much.
int mixVolume(int volume) { return static_cast<int>(std::lround(volume * 0.6)); }

// Drums are played at C-3, twice the base rate.
constexpr int kDrumRate = kBaseRate * 2;

Instrument kick()
{
    Signal s = synth::oscillator(Wave::Sine, synth::ramp(synth::frames(0.35f, kDrumRate), 170.0f, 42.0f, true), kDrumRate);
    synth::strike(s, kDrumRate, 0.001f, 0.07f);
    return oneShot("kick", s);
}

Instrument snare()
{
    const size_t count = synth::frames(0.25f, kDrumRate);
    Signal s = synth::noise(count, 301);
    synth::bandPass(s, synth::constant(count, 2500.0f), kDrumRate, 0.6f);
    synth::mixInto(s, synth::oscillator(Wave::Triangle, synth::ramp(count, 220.0f, 160.0f), kDrumRate), 0.6f);
    synth::strike(s, kDrumRate, 0.001f, 0.045f);
    return oneShot("snare", s, 52);
}

Instrument hat()
{
    const size_t count = synth::frames(0.08f, kDrumRate);
    Signal s = synth::noise(count, 302);
    synth::highPass(s, synth::constant(count, 6000.0f), kDrumRate);
    synth::strike(s, kDrumRate, 0.0005f, 0.012f);
    return oneShot("hat", s, 36);
}

Instrument metal()
{
    const size_t count = synth::frames(0.4f, kDrumRate);
    Signal s = synth::noise(count, 303);
    synth::bandPass(s, synth::constant(count, 1800.0f), kDrumRate, 14.0f);
    for (float f : {523.0f, 797.0f, 1213.0f})
        synth::mixInto(s, synth::oscillator(Wave::Square, synth::constant(count, f), kDrumRate), 0.15f);
    synth::strike(s, kDrumRate, 0.001f, 0.06f);
    return oneShot("metal", s, 44);
}

// Sample numbers of the shared instrument set.
enum : int { kKick = 1, kSnare, kHat, kMetal, kBass, kSoftBass, kPluck, kBell, kPad, kOrgan, kLead, kMarimba };

std::vector<Instrument> makeInstruments()
{
    std::vector<Instrument> list;
    list.push_back(kick());
    list.push_back(snare());
    list.push_back(hat());
    list.push_back(metal());
    list.push_back(bass("bass", 0.18f, 1800.0f));
    list.push_back(bass("soft bass", 0.35f, 600.0f));
    list.push_back(pluck("pluck", 1.6f, 0.996f, 0.5f, 304));
    list.push_back(bell("bell", 1.8f, 3.5f, 2.0f));
    list.push_back(sustained("pad", {{64, 1.0f}, {65, 0.8f}, {128, 0.3f}, {129, 0.25f}, {192, 0.1f}}, 1200, 0.0f, 40));
    list.push_back(sustained("organ", {{64, 1.0f}, {63, 0.7f}, {192, 0.45f}, {320, 0.25f}, {448, 0.12f}}, 600, 1500.0f, 42));
    {
        std::vector<std::pair<float, float>> square;
        for (int h = 1; h <= 11; h += 2)
            square.push_back({64.0f * h, 1.0f / h});
        square.push_back({65, 0.5f});
        list.push_back(sustained("lead", square, 100, 2400.0f, 40));
    }
    list.push_back(bell("marimba", 0.9f, 4.0f, 1.2f));
    for (Instrument& s : list)
        s.volume = mixVolume(s.volume);
    return list;
}

// ---- Composition ---------------------------------------------------------------------------

struct Mood {
    const char* file;
    const char* title;
    int tempo;
    int key;                       // note number of the key's root in octave 2 (12 = C-2)
    std::array<int, 7> scale;      // semitones of the seven degrees
    std::vector<std::array<int, 4>> sections; // four chords per section, as scale degrees
    const char* drums;             // 16 steps: k kick, s snare, h hat, m metal, . rest
    const char* bassline;          // 16 steps: r root, o octave, f fifth, . rest
    const char* melody;            // 16 steps: x a note may fall here, . rest
    int melodySample;
    int chordSample;
    bool arpeggiateChords;         // chords as the tracker arpeggio, else a held root
    int bassSample;
    std::vector<int> order;        // sections in playing order; section 0 has no drums
    uint32_t seed;
};

constexpr std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> kMinor = {0, 2, 3, 5, 7, 8, 10};
constexpr std::array<int, 7> kDorian = {0, 2, 3, 5, 7, 9, 10};
constexpr std::array<int, 7> kPhrygian = {0, 1, 3, 5, 7, 8, 10};

const std::vector<Mood>& moods()
{
    static const std::vector<Mood> list = {
        {"MainMenu.mus", "Torvale", 112, 14, kDorian,
         {{0, 5, 3, 4}, {0, 3, 6, 4}, {5, 3, 0, 4}},
         "k...h.h.s...h..h", "r..r..o.r..f..o.", "x..x..x.x.x...x.", kBell, kPad, true, kSoftBass,
         {0, 1, 2, 1, 2}, 501},
        {"GreenMeadow.mus", "Green Meadow", 96, 17, kMajor,
         {{0, 3, 4, 0}, {5, 3, 1, 4}, {0, 5, 3, 4}},
         "....h.......h..h", "r.......f.......", "x...x.x.x...x...", kBell, kPad, true, kSoftBass,
         {0, 1, 2, 1}, 502},
        {"NightForest.mus", "Night Forest", 78, 14, kMinor,
         {{0, 5, 3, 4}, {0, 6, 5, 4}},
         "k.......s.......", "r...............", "x.....x...x.....", kPluck, kOrgan, false, kSoftBass,
         {0, 1, 0, 1}, 503},
        {"SteelWorks.mus", "Steel Works", 132, 16, kPhrygian,
         {{0, 0, 1, 0}, {0, 5, 1, 6}, {3, 1, 0, 0}},
         "k.m.s.hkk.m.s.hm", "r.r.o.r.r.r.o.f.", "x.x...x.x...x.x.", kLead, kOrgan, false, kBass,
         {0, 1, 2, 1, 2, 1}, 504},
        {"IslandBreeze.mus", "Island Breeze", 116, 19, kMajor,
         {{0, 4, 5, 3}, {3, 4, 0, 0}, {5, 3, 0, 4}},
         "k..h..h.k.s.h..h", "r..f..o.r..f..r.", "x.xx.x.xx.x.x.x.", kMarimba, kPad, true, kBass,
         {0, 1, 2, 1, 2}, 505},
        {"BurningSoul.mus", "Burning Soul", 140, 16, kMinor,
         {{0, 5, 6, 4}, {0, 3, 5, 4}, {3, 4, 0, 0}},
         "k.h.s.h.k.khs.hh", "r.ror.ofr.ror.of", "x.x.x.xxx...x.x.", kLead, kPad, true, kBass,
         {0, 1, 2, 1, 2, 1}, 506},
    };
    return list;
}

// Note number of a scale degree (any integer; 7 is the octave above 0).
int degreeNote(const Mood& mood, int degree)
{
    const int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    const int within = degree - octave * 7;
    return mood.key + 12 * octave + mood.scale[static_cast<size_t>(within)];
}

int clampNote(int note)
{
    while (note < 0)
        note += 12;
    while (note > 35)
        note -= 12;
    return note;
}

Pattern composeSection(const Mood& mood, size_t section, bool withDrums, uint32_t seed)
{
    Pattern pattern{};
    synth::Noise pick(seed);
    const std::array<int, 4>& chords = mood.sections[section % mood.sections.size()];
    int melodyDegree = 7 + chords[0];
    for (int bar = 0; bar < 4; bar++) {
        const int chord = chords[static_cast<size_t>(bar)];
        const int root = degreeNote(mood, chord);
        const int third = degreeNote(mood, chord + 2) - root;
        const int fifth = degreeNote(mood, chord + 4) - root;
        for (int step = 0; step < kRowsPerBar; step++) {
            auto& row = pattern[static_cast<size_t>(bar * kRowsPerBar + step)];
            if (withDrums) {
                const char d = mood.drums[step];
                const int sample = d == 'k' ? kKick : d == 's' ? kSnare : d == 'h' ? kHat : d == 'm' ? kMetal : 0;
                if (sample)
                    row[0] = {24, sample, 0, 0};
            }
            const char b = mood.bassline[step];
            if (b != '.') {
                const int offset = b == 'o' ? 12 : b == 'f' ? fifth : 0;
                row[1] = {clampNote(root - 12 + offset), mood.bassSample, 0xC, mixVolume(48)};
            }
            // Chords: struck at the start of each bar, then held, or rolled by the arpeggio
            // effect on every row.
            if (step == 0)
                row[2] = {clampNote(root), mood.chordSample, 0, 0};
            if (mood.arpeggiateChords) {
                row[2].effect = 0;
                row[2].param = (third << 4) | fifth;
            }
            if (mood.melody[step] == 'x' && (withDrums || pick.next() > 0.3f)) {
                // A walk over the scale that lands on chord tones on the beat.
                const float r = pick.next();
                const int move = r < -0.5f ? -2 : r < -0.1f ? -1 : r < 0.3f ? 1 : r < 0.6f ? 2 : 0;
                melodyDegree = std::clamp(melodyDegree + move, 5, 16);
                if (step % 4 == 0) {
                    const int relative = ((melodyDegree - chord) % 7 + 7) % 7;
                    if (relative != 0 && relative != 2 && relative != 4)
                        melodyDegree += relative == 1 || relative == 3 ? -1 : 1;
                }
                const int volume = step % 4 == 0 ? 48 : 36;
                row[3] = {clampNote(degreeNote(mood, melodyDegree)), mood.melodySample, 0xC, mixVolume(volume)};
            }
        }
    }
    return pattern;
}

Module compose(const Mood& mood, const std::vector<Instrument>& instruments)
{
    Module module;
    module.title = mood.title;
    module.instruments = instruments;
    const int sections = *std::max_element(mood.order.begin(), mood.order.end()) + 1;
    for (int s = 0; s < sections; s++)
        module.patterns.push_back(composeSection(mood, static_cast<size_t>(s), s != 0, mood.seed * 31 + s));
    // Speed 6 and the mood's tempo on the first row of the first section.
    Cell& first = module.patterns[0][0][0];
    first.effect = 0xF;
    first.param = 6;
    Cell& second = module.patterns[0][1][0];
    second.effect = 0xF;
    second.param = mood.tempo;
    module.order = mood.order;
    return module;
}

} // namespace

std::vector<std::pair<std::string, std::vector<uint8_t>>> composeModules()
{
    const std::vector<Instrument> instruments = makeInstruments();
    std::vector<std::pair<std::string, std::vector<uint8_t>>> modules;
    for (const Mood& mood : moods())
        modules.emplace_back(mood.file, writeMod(compose(mood, instruments)));
    return modules;
}

bool generateMusic(const std::string& gameDir)
{
    // A third of the pieces (the menu theme first) go loose into base/Music/, the rest into the pack (stored entries, so
    // the stored road of the pack reader runs too); every other one is scrambled.
    kv::PakWriter pak(0);
    int index = 0;
    for (const auto& [file, mod] : composeModules()) {
        const bool scrambled = index % 2 == 0;
        const bool loose = index % 3 == 0;
        index++;
        std::vector<uint8_t> asset;
        if (!kv::writeAsset(kv::AssetKind::Music, ".mod", mod.data(), mod.size(), scrambled, asset)) {
            std::fprintf(stderr, "tvl_content: cannot wrap the music %s\n", file.c_str());
            return false;
        }
        if (loose ? !writeBytes(asset, gameDir, "base/Music/" + file)
                  : !pak.addEntry("Music\\" + file, asset.data(), asset.size()))
            return false;
    }
    std::vector<uint8_t> bytes;
    return pak.build(bytes) && writeBytes(bytes, gameDir, "base/music.pak");
}

} // namespace content
