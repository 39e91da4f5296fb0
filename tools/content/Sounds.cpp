// base/sound.pak: every sound the game and the menus play, synthesised. Entries are named
// "sound\<name><n>.snd"; the digits make variants of one sound.
#include "Content.h"
#include "Synth.h"

#include "audio/AssetWriter.h"
#include "core/PakWriter.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace content {

namespace {

using synth::Signal;
using synth::Wave;

constexpr int kFx = 44100;      // one-shot effects
constexpr int kAmbience = 22050; // long loops: half the bytes, nothing audible lost

size_t n(float seconds, int rate) { return synth::frames(seconds, rate); }

// A tone gliding exponentially from f0 to f1.
Signal glide(Wave wave, float seconds, float f0, float f1, int rate)
{
    return synth::oscillator(wave, synth::ramp(n(seconds, rate), f0, f1, true), rate);
}

// A rising blip made of steps (an arpeggio) on one timbre, each note a short strike.
Signal arpeggio(Wave wave, const std::vector<float>& notes, float step, float tail, float bend)
{
    Signal out;
    for (size_t i = 0; i < notes.size(); i++) {
        const bool last = i + 1 == notes.size();
        Signal note = glide(wave, step + (last ? tail : 0.02f), notes[i], notes[i] * bend, kFx);
        synth::strike(note, kFx, 0.003f, last ? tail * 0.35f : step * 0.7f);
        synth::mixInto(out, note, 1.0f, n(step * static_cast<float>(i), kFx));
    }
    // The raw square and saw alias above a few kHz; keep the blip round.
    synth::lowPass(out, synth::constant(out.size(), 5000.0f), kFx);
    return out;
}

// Noise through a low-pass falling from bright to dull, with a sinking thump beneath.
Signal blast(float seconds, float brightFrom, float brightTo, float thumpFrom, float thumpTo,
             float halfLife, uint32_t seed)
{
    const size_t count = n(seconds, kFx);
    Signal body = synth::noise(count, seed);
    synth::lowPass(body, synth::ramp(count, brightFrom, brightTo, true), kFx, 0.9f);
    synth::strike(body, kFx, 0.002f, halfLife);
    Signal rumble = synth::brownNoise(count, seed * 7 + 1);
    synth::lowPass(rumble, synth::constant(count, 160.0f), kFx);
    synth::strike(rumble, kFx, 0.01f, halfLife * 2.0f);
    Signal thump = glide(Wave::Sine, seconds, thumpFrom, thumpTo, kFx);
    synth::strike(thump, kFx, 0.001f, halfLife * 0.6f);
    synth::mixInto(body, rumble, 1.2f);
    synth::mixInto(body, thump, 0.8f);
    return body;
}

// A short zap: a falling tone on a burst of bright noise.
Signal zap(float seconds, float f0, float f1, Wave wave, float noiseGain, uint32_t seed)
{
    Signal tone = glide(wave, seconds, f0, f1, kFx);
    synth::lowPass(tone, synth::ramp(tone.size(), 9000.0f, 1500.0f, true), kFx);
    synth::strike(tone, kFx, 0.002f, seconds * 0.3f);
    Signal burst = synth::noise(tone.size(), seed);
    synth::highPass(burst, synth::ramp(burst.size(), 3000.0f, 800.0f, true), kFx);
    synth::strike(burst, kFx, 0.001f, seconds * 0.12f);
    synth::mixInto(tone, burst, noiseGain);
    return tone;
}

// A bird's chirp: a sine gliding between two pitches with a trill, in a soft window.
Signal chirp(int rate, float seconds, float f0, float f1, float trillHz, float trillDepth)
{
    const size_t count = n(seconds, rate);
    Signal frequency = synth::ramp(count, f0, f1, true);
    synth::multiply(frequency, synth::lfo(count, rate, trillHz, 1.0f, trillDepth));
    Signal out = synth::oscillator(Wave::Sine, frequency, rate);
    for (size_t i = 0; i < count; i++)
        out[i] *= std::sin(3.14159265f * static_cast<float>(i) / static_cast<float>(count));
    return out;
}

// Band-limited noise whose loudness drifts in slow gusts.
Signal gustyNoise(size_t count, int rate, float centre, float q, float gustHz, float gustDepth,
                  uint32_t seed)
{
    Signal out = synth::noise(count, seed);
    synth::Noise drift(seed ^ 0xA5A5u);
    Signal moving = synth::lfo(count, rate, gustHz * 0.7f, centre, centre * 0.3f, drift.next());
    synth::bandPass(out, moving, rate, q);
    Signal gusts = synth::lfo(count, rate, gustHz, 1.0f - gustDepth * 0.5f, gustDepth * 0.5f,
                              drift.next());
    synth::multiply(gusts, synth::lfo(count, rate, gustHz * 2.3f, 1.0f, 0.25f, drift.next()));
    synth::multiply(out, gusts);
    return out;
}

// A loop of seconds (plus the cross-fade), filled by the caller, then made seamless.
constexpr float kLoopSeconds = 4.0f;
constexpr float kLoopFade = 0.6f;
size_t loopFrames() { return n(kLoopSeconds + kLoopFade, kAmbience); }

Signal finishLoop(Signal signal, float peak)
{
    synth::makeLoop(signal, n(kLoopFade, kAmbience));
    synth::normalise(signal, peak);
    return signal;
}

// Scatters count birds' chirps over a loop, in phrases of two to four.
void addBirds(Signal& target, int count, float lowHz, float highHz, float gain, uint32_t seed)
{
    synth::Noise pick(seed);
    const float loop = static_cast<float>(target.size()) / kAmbience;
    for (int b = 0; b < count; b++) {
        float start = pick.range(0.0f, loop - 1.0f);
        const float f0 = pick.range(lowHz, highHz);
        const float f1 = f0 * pick.range(0.7f, 1.5f);
        const int notes = 2 + static_cast<int>(pick.range(0.0f, 2.99f));
        const float level = gain * pick.range(0.4f, 1.0f);
        for (int i = 0; i < notes; i++) {
            const float length = pick.range(0.05f, 0.14f);
            synth::mixInto(target, chirp(kAmbience, length, f0, f1, pick.range(20.0f, 45.0f), 0.08f),
                           level, n(start, kAmbience));
            start += length + pick.range(0.02f, 0.08f);
        }
    }
}

// Water: lapping band-passed rumble plus rising bubble blips.
void addBubbles(Signal& target, int count, float lowHz, float highHz, float gain, uint32_t seed)
{
    synth::Noise pick(seed);
    const float loop = static_cast<float>(target.size()) / kAmbience;
    for (int i = 0; i < count; i++) {
        const float f0 = pick.range(lowHz, highHz);
        Signal bubble = glide(Wave::Sine, pick.range(0.03f, 0.08f), f0, f0 * 2.2f, kAmbience);
        synth::strike(bubble, kAmbience, 0.002f, 0.015f);
        synth::mixInto(target, bubble, gain * pick.range(0.3f, 1.0f),
                       n(pick.range(0.0f, loop - 0.1f), kAmbience));
    }
}

Signal meadow()
{
    const size_t count = loopFrames();
    Signal out = gustyNoise(count, kAmbience, 900.0f, 0.6f, 0.25f, 0.6f, 11);
    synth::normalise(out, 0.12f);
    // Crickets: a high tone pulsed in little trains.
    Signal cricket = synth::oscillator(Wave::Sine, synth::constant(count, 4300.0f), kAmbience);
    Signal pulses = synth::lfo(count, kAmbience, 28.0f, 0.5f, 0.5f);
    synth::multiply(pulses, synth::lfo(count, kAmbience, 1.5f, 0.4f, 0.6f));
    synth::multiply(cricket, pulses);
    synth::mixInto(out, cricket, 0.05f);
    addBirds(out, 9, 2200.0f, 4200.0f, 0.35f, 12);
    return finishLoop(out, 0.7f);
}

Signal forest()
{
    const size_t count = loopFrames();
    Signal out = gustyNoise(count, kAmbience, 1400.0f, 0.5f, 0.18f, 0.8f, 21);
    synth::normalise(out, 0.2f);
    // An owl's two soft hoots and a woodpecker's drum roll.
    for (float start : {0.6f, 1.05f}) {
        Signal hoot = glide(Wave::Sine, 0.35f, 420.0f, 380.0f, kAmbience);
        synth::envelope(hoot, kAmbience, 0.08f, 0.1f, 0.7f, 0.15f);
        synth::mixInto(out, hoot, 0.3f, n(start, kAmbience));
    }
    for (int i = 0; i < 10; i++) {
        Signal knock = synth::noise(n(0.02f, kAmbience), 22 + i);
        synth::bandPass(knock, synth::constant(knock.size(), 1100.0f), kAmbience, 4.0f);
        synth::strike(knock, kAmbience, 0.0005f, 0.004f);
        synth::mixInto(out, knock, 0.5f * (1.0f - i * 0.06f), n(2.6f + i * 0.055f, kAmbience));
    }
    addBirds(out, 4, 1500.0f, 2800.0f, 0.22f, 23);
    return finishLoop(out, 0.7f);
}

Signal jungle()
{
    const size_t count = loopFrames();
    // Cicadas: narrow noise at a high pitch, buzzing in fast pulses.
    Signal out = synth::noise(count, 31);
    synth::bandPass(out, synth::constant(count, 5200.0f), kAmbience, 9.0f);
    Signal buzz = synth::lfo(count, kAmbience, 45.0f, 0.6f, 0.4f);
    synth::multiply(buzz, synth::lfo(count, kAmbience, 0.5f, 0.7f, 0.3f));
    synth::multiply(out, buzz);
    synth::normalise(out, 0.25f);
    // Frogs: low, buzzy croaks.
    synth::Noise pick(32);
    for (int i = 0; i < 6; i++) {
        Signal croak = synth::oscillator(Wave::Square, synth::lfo(n(0.18f, kAmbience), kAmbience, 18.0f,
                                                                  pick.range(180.0f, 260.0f), 30.0f),
                                         kAmbience);
        synth::lowPass(croak, synth::constant(croak.size(), 900.0f), kAmbience, 2.0f);
        synth::envelope(croak, kAmbience, 0.02f, 0.05f, 0.6f, 0.08f);
        synth::mixInto(out, croak, 0.18f, n(pick.range(0.0f, 4.2f), kAmbience));
    }
    // Tropical whoops: wide upward glides.
    for (int i = 0; i < 3; i++) {
        const float start = pick.range(0.2f, 3.8f);
        synth::mixInto(out, chirp(kAmbience, 0.3f, 700.0f, 1900.0f, 8.0f, 0.05f), 0.3f,
                       n(start, kAmbience));
        synth::mixInto(out, chirp(kAmbience, 0.25f, 1900.0f, 1200.0f, 8.0f, 0.05f), 0.25f,
                       n(start + 0.32f, kAmbience));
    }
    addBirds(out, 6, 2500.0f, 5000.0f, 0.25f, 33);
    return finishLoop(out, 0.7f);
}

Signal city()
{
    const size_t count = loopFrames();
    Signal out = synth::brownNoise(count, 41);
    synth::lowPass(out, synth::constant(count, 320.0f), kAmbience);
    synth::normalise(out, 0.35f);
    // Mains hum and a passing car: an engine tone rising then falling past the listener.
    Signal hum = synth::oscillator(Wave::Triangle, synth::constant(count, 100.0f), kAmbience);
    synth::mixInto(out, hum, 0.03f);
    Signal carFreq = synth::ramp(n(2.5f, kAmbience), 95.0f, 72.0f, true);
    Signal car = synth::oscillator(Wave::Saw, carFreq, kAmbience);
    Signal tyres = synth::noise(car.size(), 42);
    synth::bandPass(tyres, synth::constant(car.size(), 700.0f), kAmbience, 0.8f);
    synth::mixInto(car, tyres, 0.6f);
    synth::lowPass(car, synth::constant(car.size(), 1200.0f), kAmbience);
    synth::envelope(car, kAmbience, 1.1f, 0.1f, 0.9f, 1.2f);
    synth::mixInto(out, car, 0.35f, n(0.8f, kAmbience));
    // A distant two-tone horn.
    Signal horn = synth::oscillator(Wave::Square, synth::constant(n(0.3f, kAmbience), 349.0f), kAmbience);
    synth::mixInto(horn, synth::oscillator(Wave::Square, synth::constant(horn.size(), 440.0f), kAmbience), 1.0f);
    synth::lowPass(horn, synth::constant(horn.size(), 1500.0f), kAmbience);
    synth::envelope(horn, kAmbience, 0.02f, 0.05f, 0.8f, 0.06f);
    synth::mixInto(out, horn, 0.06f, n(3.3f, kAmbience));
    return finishLoop(out, 0.7f);
}

Signal water()
{
    const size_t count = loopFrames();
    Signal out = gustyNoise(count, kAmbience, 550.0f, 1.2f, 0.9f, 0.9f, 51);
    synth::normalise(out, 0.35f);
    addBubbles(out, 40, 500.0f, 1400.0f, 0.18f, 52);
    return finishLoop(out, 0.65f);
}

Signal underwater()
{
    const size_t count = loopFrames();
    Signal out = synth::brownNoise(count, 61);
    synth::lowPass(out, synth::lfo(count, kAmbience, 0.25f, 260.0f, 90.0f), kAmbience, 1.5f);
    synth::normalise(out, 0.5f);
    Signal drone = synth::oscillator(Wave::Sine, synth::lfo(count, kAmbience, 0.25f, 58.0f, 3.0f), kAmbience);
    synth::mixInto(out, drone, 0.12f);
    Signal bubbles;
    bubbles.resize(count);
    addBubbles(bubbles, 18, 250.0f, 600.0f, 0.5f, 62);
    synth::lowPass(bubbles, synth::constant(count, 900.0f), kAmbience);
    synth::mixInto(out, bubbles, 1.0f);
    return finishLoop(out, 0.65f);
}

Signal shore()
{
    const size_t count = loopFrames();
    // One wave per loop: the swell opens the filter and the level together.
    Signal swell(count);
    for (size_t i = 0; i < count; i++) {
        const float t = static_cast<float>(i) / kAmbience / (kLoopSeconds + kLoopFade);
        const float s = std::sin(3.14159265f * t);
        swell[i] = 0.15f + 0.85f * s * s * s;
    }
    Signal out = synth::noise(count, 71);
    Signal cutoff = swell;
    for (float& c : cutoff)
        c = 300.0f + 3500.0f * c;
    synth::lowPass(out, cutoff, kAmbience);
    synth::multiply(out, swell);
    synth::normalise(out, 0.6f);
    // A gull's cry.
    for (float start : {1.2f, 1.55f}) {
        Signal cry = glide(Wave::Saw, 0.28f, 1500.0f, 1000.0f, kAmbience);
        synth::bandPass(cry, synth::constant(cry.size(), 1700.0f), kAmbience, 2.0f);
        synth::envelope(cry, kAmbience, 0.03f, 0.1f, 0.6f, 0.1f);
        synth::mixInto(out, cry, 0.25f, n(start, kAmbience));
    }
    return finishLoop(out, 0.7f);
}

Signal rain()
{
    const size_t count = loopFrames();
    Signal out = synth::noise(count, 81);
    synth::highPass(out, synth::constant(count, 1500.0f), kAmbience);
    synth::lowPass(out, synth::constant(count, 7000.0f), kAmbience);
    synth::normalise(out, 0.2f);
    synth::Noise pick(82);
    for (int i = 0; i < 260; i++) {
        Signal drop = synth::noise(n(0.012f, kAmbience), 83 + i);
        synth::bandPass(drop, synth::constant(drop.size(), pick.range(1800.0f, 6000.0f)), kAmbience, 3.0f);
        synth::strike(drop, kAmbience, 0.0005f, 0.002f);
        synth::mixInto(out, drop, pick.range(0.2f, 0.8f), n(pick.range(0.0f, 4.5f), kAmbience));
    }
    return finishLoop(out, 0.6f);
}

// Wind from a breeze (A) to a howling gale (E): louder, higher and more resonant.
Signal wind(int strength)
{
    const size_t count = loopFrames();
    const float s = static_cast<float>(strength);
    Signal out = gustyNoise(count, kAmbience, 300.0f + 180.0f * s, 0.7f + 0.9f * s,
                            0.2f + 0.1f * s, 0.5f + 0.1f * s, 90 + strength);
    if (strength >= 2) {
        // Whistling: a narrow band drifting up and down.
        Signal whistle = synth::noise(count, 95 + strength);
        synth::bandPass(whistle, synth::lfo(count, kAmbience, 0.5f, 700.0f + 150.0f * s, 200.0f),
                        kAmbience, 12.0f + 4.0f * s);
        synth::normalise(whistle, 1.0f);
        synth::multiply(whistle, synth::lfo(count, kAmbience, 0.25f, 0.5f, 0.5f, 0.3f));
        synth::normalise(out, 1.0f);
        synth::mixInto(out, whistle, 0.12f * (s - 1.0f));
    }
    return finishLoop(out, 0.35f + 0.1f * s);
}

// The nitro burner: a low, pulsing engine tone under a roaring jet, as a short loop.
Signal nitroBoost()
{
    const float fade = 0.2f;
    const size_t count = n(1.2f + fade, kFx);
    Signal engine = synth::oscillator(Wave::Saw, synth::lfo(count, kFx, 5.0f, 92.0f, 3.0f), kFx);
    synth::multiply(engine, synth::lfo(count, kFx, 46.0f, 0.7f, 0.3f));
    synth::lowPass(engine, synth::constant(count, 900.0f), kFx, 1.2f);
    Signal jet = synth::noise(count, 101);
    synth::bandPass(jet, synth::lfo(count, kFx, 7.0f, 1400.0f, 250.0f), kFx, 0.9f);
    synth::multiply(jet, synth::lfo(count, kFx, 23.0f, 0.85f, 0.15f));
    synth::normalise(engine, 1.0f);
    synth::normalise(jet, 1.0f);
    synth::mixInto(engine, jet, 0.45f);
    synth::lowPass(engine, synth::constant(count, 3500.0f), kFx);
    synth::makeLoop(engine, n(fade, kFx));
    synth::normalise(engine, 0.7f);
    return engine;
}

struct Clip {
    std::string name; // the entry name below "sound\", digits included
    int rate;
    Signal signal;
};

std::vector<Clip> makeClips()
{
    std::vector<Clip> clips;
    auto add = [&](std::string name, int rate, Signal signal, float peak = 0.8f) {
        synth::normalise(signal, peak);
        clips.push_back({std::move(name), rate, std::move(signal)});
    };

    // The token collected: a bright three-note rise.
    add("up", kFx, arpeggio(Wave::Square, {660.0f, 880.0f, 1320.0f}, 0.06f, 0.25f, 1.02f), 0.6f);
    add("Vehicles\\NitroBoost", kFx, nitroBoost(), 0.7f);

    for (int v = 1; v <= 3; v++) {
        const float p = 1.0f + 0.12f * static_cast<float>(v - 2);
        add("Contact\\LaserHit" + std::to_string(v), kFx,
            zap(0.22f, 1800.0f * p, 260.0f * p, Wave::Saw, 0.9f, 110 + v));
    }
    for (int v = 1; v <= 2; v++)
        add("Contact\\MissileHit" + std::to_string(v), kFx,
            blast(0.9f, 7000.0f, 250.0f, 130.0f - 15.0f * v, 40.0f, 0.12f + 0.03f * v, 120 + v), 0.9f);
    for (int v = 1; v <= 2; v++)
        add("Contact\\BombHit" + std::to_string(v), kFx,
            blast(1.5f, 4500.0f, 120.0f, 90.0f - 10.0f * v, 30.0f, 0.25f + 0.05f * v, 130 + v), 0.95f);

    // Pickups: rising blips, one timbre each, so that the item is heard before it is seen.
    add("Items\\Pickup\\Nitro", kFx, arpeggio(Wave::Saw, {330.0f, 495.0f, 660.0f, 990.0f}, 0.045f, 0.2f, 1.15f), 0.55f);
    add("Items\\Pickup\\Missile", kFx, arpeggio(Wave::Square, {440.0f, 660.0f}, 0.07f, 0.22f, 1.05f), 0.5f);
    add("Items\\Pickup\\Bomb", kFx, arpeggio(Wave::Triangle, {196.0f, 262.0f, 392.0f}, 0.07f, 0.3f, 1.0f));
    {
        Signal emp = synth::oscillator(Wave::Sine, synth::ramp(n(0.35f, kFx), 400.0f, 1600.0f, true), kFx);
        Signal warble = synth::oscillator(Wave::Square, synth::lfo(emp.size(), kFx, 30.0f, 800.0f, 400.0f), kFx);
        synth::multiply(warble, synth::constant(emp.size(), 0.3f));
        synth::mixInto(emp, warble, 1.0f);
        synth::lowPass(emp, synth::constant(emp.size(), 5000.0f), kFx);
        synth::envelope(emp, kFx, 0.01f, 0.1f, 0.7f, 0.15f);
        add("Items\\Pickup\\EMP", kFx, emp, 0.6f);
    }
    {
        Signal frequency = synth::ramp(n(0.5f, kFx), 300.0f, 1200.0f, true);
        synth::multiply(frequency, synth::lfo(frequency.size(), kFx, 9.0f, 1.0f, 0.06f));
        Signal warp = synth::oscillator(Wave::Triangle, frequency, kFx);
        synth::envelope(warp, kFx, 0.02f, 0.1f, 0.8f, 0.2f);
        add("Items\\Pickup\\TimeWarp", kFx, warp, 0.7f);
    }
    {
        Signal gun = arpeggio(Wave::Square, {520.0f, 780.0f, 1040.0f}, 0.05f, 0.15f, 1.0f);
        Signal click = synth::noise(n(0.03f, kFx), 141);
        synth::highPass(click, synth::constant(click.size(), 2500.0f), kFx);
        synth::strike(click, kFx, 0.0005f, 0.006f);
        synth::mixInto(gun, click, 0.9f);
        add("Items\\Pickup\\Gun", kFx, gun, 0.55f);
    }
    {
        Signal drone = synth::oscillator(Wave::Saw, synth::ramp(n(0.4f, kFx), 180.0f, 520.0f, true), kFx);
        synth::multiply(drone, synth::lfo(drone.size(), kFx, 60.0f, 0.7f, 0.3f));
        synth::lowPass(drone, synth::constant(drone.size(), 3000.0f), kFx);
        synth::envelope(drone, kFx, 0.02f, 0.1f, 0.8f, 0.15f);
        add("Items\\Pickup\\Drone", kFx, drone, 0.6f);
    }

    // Using an item.
    {
        Signal whoosh = synth::noise(n(0.8f, kFx), 151);
        synth::bandPass(whoosh, synth::ramp(whoosh.size(), 400.0f, 3500.0f, true), kFx, 1.5f);
        synth::envelope(whoosh, kFx, 0.05f, 0.2f, 0.6f, 0.45f);
        Signal ignition = blast(0.3f, 5000.0f, 400.0f, 120.0f, 60.0f, 0.05f, 152);
        synth::mixInto(whoosh, ignition, 0.5f);
        add("Items\\Use\\Nitro", kFx, whoosh);
    }
    add("Items\\Use\\Bomb", kFx, blast(2.0f, 6000.0f, 90.0f, 70.0f, 25.0f, 0.4f, 161), 0.95f);
    {
        Signal zapDown = glide(Wave::Sine, 0.7f, 2000.0f, 90.0f, kFx);
        Signal crackle = synth::noise(zapDown.size(), 171);
        // Gated on and off in sputters.
        Signal gate = synth::oscillator(Wave::Square, synth::lfo(zapDown.size(), kFx, 3.0f, 35.0f, 20.0f), kFx);
        for (float& g : gate)
            g = 0.5f * (g + 1.0f);
        synth::multiply(crackle, gate);
        synth::highPass(crackle, synth::constant(zapDown.size(), 2000.0f), kFx);
        synth::mixInto(zapDown, crackle, 0.35f);
        synth::strike(zapDown, kFx, 0.003f, 0.2f);
        add("Items\\Use\\EMP", kFx, zapDown);
    }
    {
        // Time slows down: a chord dragged down in pitch, then snapping back up.
        const size_t count = n(0.9f, kFx);
        Signal bend(count);
        for (size_t i = 0; i < count; i++) {
            const float t = static_cast<float>(i) / static_cast<float>(count);
            bend[i] = t < 0.7f ? 1.0f - 0.6f * t / 0.7f : 0.4f + 0.6f * (t - 0.7f) / 0.3f;
        }
        Signal chord;
        for (float f : {440.0f, 554.0f, 659.0f}) {
            Signal frequency = bend;
            for (float& x : frequency)
                x *= f;
            synth::mixInto(chord, synth::oscillator(Wave::Triangle, frequency, kFx), 0.33f);
        }
        synth::envelope(chord, kFx, 0.02f, 0.1f, 0.8f, 0.1f);
        add("Items\\Use\\TimeWarp", kFx, chord, 0.7f);
    }
    {
        Signal motor = synth::oscillator(Wave::Saw, synth::ramp(n(0.6f, kFx), 120.0f, 340.0f, true), kFx);
        synth::multiply(motor, synth::lfo(motor.size(), kFx, 40.0f, 0.6f, 0.4f));
        synth::lowPass(motor, synth::constant(motor.size(), 2500.0f), kFx);
        synth::envelope(motor, kFx, 0.03f, 0.1f, 0.8f, 0.25f);
        add("Items\\Use\\Drone", kFx, motor, 0.65f);
    }

    // Weapons.
    for (int v = 1; v <= 2; v++)
        add("Weapons\\PulseCannon" + std::to_string(v), kFx,
            zap(0.16f, 1300.0f + 150.0f * v, 220.0f, Wave::Square, 0.3f, 180 + v), 0.6f);
    add("Weapons\\DronePulseFire", kFx, zap(0.1f, 2600.0f, 800.0f, Wave::Square, 0.2f, 190), 0.5f);
    {
        Signal launch = synth::noise(n(0.8f, kFx), 201);
        synth::bandPass(launch, synth::ramp(launch.size(), 2500.0f, 600.0f, true), kFx, 0.8f);
        Signal rumble = synth::brownNoise(launch.size(), 202);
        synth::lowPass(rumble, synth::constant(launch.size(), 250.0f), kFx);
        synth::normalise(rumble, 1.0f);
        synth::mixInto(launch, rumble, 0.6f);
        synth::envelope(launch, kFx, 0.01f, 0.15f, 0.6f, 0.5f);
        add("Weapons\\Missile", kFx, launch, 0.8f);
    }

    // Ambience loops; these play at volumes the surroundings set, so all sit near one level.
    add("ambience\\Meadow_A", kAmbience, meadow(), 0.7f);
    add("ambience\\Forest_A", kAmbience, forest(), 0.7f);
    add("ambience\\Jungle_C", kAmbience, jungle(), 0.7f);
    add("ambience\\City_B", kAmbience, city(), 0.7f);
    add("ambience\\Water_A", kAmbience, water(), 0.65f);
    add("ambience\\Underwater_A", kAmbience, underwater(), 0.65f);
    add("ambience\\Shore_A", kAmbience, shore(), 0.7f);
    add("ambience\\Rain_B", kAmbience, rain(), 0.6f);
    const char* winds[] = {"A", "B", "C", "D", "E"};
    for (int s = 0; s < 5; s++)
        add(std::string("ambience\\Wind_") + winds[s], kAmbience, wind(s), 0.35f + 0.1f * s);

    // Menu: a short tick to move, a rising fifth to select, a falling pair to cancel.
    for (int v = 1; v <= 2; v++) {
        Signal tick = glide(Wave::Sine, 0.06f, 1400.0f + 200.0f * v, 1200.0f, kFx);
        synth::strike(tick, kFx, 0.001f, 0.015f);
        add("mmove" + std::to_string(v), kFx, tick, 0.5f);
    }
    add("mselect", kFx, arpeggio(Wave::Triangle, {587.0f, 880.0f}, 0.07f, 0.25f, 1.0f), 0.6f);
    add("mcancel", kFx, arpeggio(Wave::Triangle, {660.0f, 440.0f}, 0.07f, 0.2f, 0.98f), 0.55f);
    return clips;
}

} // namespace

std::vector<std::pair<std::string, std::vector<uint8_t>>> synthesiseSoundFiles()
{
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    for (const Clip& clip : makeClips())
        files.emplace_back(clip.name, synth::wavFile(clip.signal, clip.rate));
    return files;
}

bool generateSounds(const std::string& gameDir)
{
    kv::PakWriter pak(1);
    int index = 0;
    for (const auto& [name, wav] : synthesiseSoundFiles()) {
        std::vector<uint8_t> asset;
        // Every other sound is scrambled, so both of the reader's roads carry real data.
        if (!kv::writeAsset(kv::AssetKind::Sound, ".wav", wav.data(), wav.size(), index++ % 2 == 1,
                            asset) ||
            !pak.addEntry("sound\\" + name + ".snd", asset.data(), asset.size())) {
            std::fprintf(stderr, "tvl_content: cannot pack the sound %s\n", name.c_str());
            return false;
        }
    }
    std::vector<uint8_t> bytes;
    return pak.build(bytes) && writeBytes(bytes, gameDir, "base/sound.pak");
}

} // namespace content
