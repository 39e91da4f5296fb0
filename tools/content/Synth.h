#pragma once
// Small offline DSP kit for the content tool's sounds and instrument samples. Signals are mono
// float samples (nominally -1..1) at a rate the caller keeps track of; every generator is
// deterministic, so the same build always writes the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace synth {

using Signal = std::vector<float>;

enum class Wave { Sine, Square, Saw, Triangle };

// Reproducible white noise (xorshift), uniform in -1..1.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    float next();
    // Uniform in lo..hi.
    float range(float lo, float hi) { return lo + (hi - lo) * (next() * 0.5f + 0.5f); }

private:
    uint32_t state;
};

// Sample count of seconds at rate (at least 1).
size_t frames(float seconds, int rate);

// A constant, a linear or an exponential (both ends > 0) ramp over count samples.
Signal constant(size_t count, float value);
Signal ramp(size_t count, float from, float to, bool exponential = false);
// value + depth * sin(2 pi rate t): for vibrato, tremolo and slow drifts.
Signal lfo(size_t count, int sampleRate, float hz, float value, float depth, float phase = 0.0f);

// An oscillator following a per-sample frequency in Hz.
Signal oscillator(Wave wave, const Signal& frequency, int sampleRate, float phase = 0.0f);
Signal noise(size_t count, uint32_t seed);
// Noise smoothed towards -6 dB per octave: a rumble rather than a hiss.
Signal brownNoise(size_t count, uint32_t seed);

// Filters over a per-sample cutoff (or centre) in Hz; q is the resonance (0.707 is flat).
void lowPass(Signal& signal, const Signal& cutoff, int sampleRate, float q = 0.707f);
void highPass(Signal& signal, const Signal& cutoff, int sampleRate, float q = 0.707f);
void bandPass(Signal& signal, const Signal& centre, int sampleRate, float q);

// Multiplies sample by sample (an envelope or a tremolo); the shorter length wins.
void multiply(Signal& signal, const Signal& gain);
// Attack/decay/sustain/release over the whole signal, times in seconds.
void envelope(Signal& signal, int sampleRate, float attack, float decay, float sustain,
              float release);
// Exponential decay after a short linear attack: a strike, a pluck, a blast.
void strike(Signal& signal, int sampleRate, float attack, float halfLife);
// Adds source * gain into target from offset on, growing target as needed.
void mixInto(Signal& target, const Signal& source, float gain, size_t offset = 0);
// Scales so that the largest magnitude is peak (silence stays silence).
void normalise(Signal& signal, float peak);
// Turns a signal generated fade samples too long into a seamless loop of size - fade
// samples: its head is cross-faded (equal power) with the tail that follows the loop end.
void makeLoop(Signal& signal, size_t fade);

// A RIFF WAVE file: 16-bit PCM, one channel, clipped to -1..1.
std::vector<uint8_t> wavFile(const Signal& signal, int sampleRate);
// Signed 8-bit samples for a tracker module, clipped to -1..1.
std::vector<int8_t> toPcm8(const Signal& signal);

} // namespace synth
