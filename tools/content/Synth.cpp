#include "Synth.h"

#include "core/LittleEndian.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

// A control signal read past its end holds its last value.
float at(const Signal& control, size_t i)
{
    if (control.empty())
        return 0.0f;
    return control[std::min(i, control.size() - 1)];
}

enum class FilterOutput { Low, High, Band };

// Zero-delay-feedback state-variable filter: stable under fast cutoff sweeps.
void stateVariable(Signal& signal, const Signal& cutoff, int sampleRate, float q, FilterOutput out)
{
    const float k = 1.0f / std::max(q, 0.05f);
    const float nyquistGuard = 0.45f * static_cast<float>(sampleRate);
    float ic1 = 0.0f, ic2 = 0.0f;
    float lastCutoff = -1.0f, a1 = 0.0f, a2 = 0.0f, a3 = 0.0f;
    for (size_t i = 0; i < signal.size(); i++) {
        const float fc = std::clamp(at(cutoff, i), 10.0f, nyquistGuard);
        if (fc != lastCutoff) {
            const float g = std::tan(std::numbers::pi_v<float> * fc / static_cast<float>(sampleRate));
            a1 = 1.0f / (1.0f + g * (g + k));
            a2 = g * a1;
            a3 = g * a2;
            lastCutoff = fc;
        }
        const float x = signal[i];
        const float v3 = x - ic2;
        const float v1 = a1 * ic1 + a2 * v3;
        const float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        switch (out) {
        case FilterOutput::Low: signal[i] = v2; break;
        case FilterOutput::Band: signal[i] = v1; break;
        case FilterOutput::High: signal[i] = x - k * v1 - v2; break;
        }
    }
}

} // namespace

float Noise::next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state) / 2147483648.0f - 1.0f;
}

size_t frames(float seconds, int rate)
{
    return std::max<size_t>(1, static_cast<size_t>(std::lround(seconds * static_cast<float>(rate))));
}

Signal constant(size_t count, float value) { return Signal(count, value); }

Signal ramp(size_t count, float from, float to, bool exponential)
{
    Signal out(count);
    const float span = count > 1 ? static_cast<float>(count - 1) : 1.0f;
    for (size_t i = 0; i < count; i++) {
        const float t = static_cast<float>(i) / span;
        out[i] = exponential ? from * std::pow(to / from, t) : from + (to - from) * t;
    }
    return out;
}

Signal lfo(size_t count, int sampleRate, float hz, float value, float depth, float phase)
{
    Signal out(count);
    for (size_t i = 0; i < count; i++)
        out[i] = value + depth * std::sin(kTwoPi * (hz * static_cast<float>(i) / sampleRate + phase));
    return out;
}

Signal oscillator(Wave wave, const Signal& frequency, int sampleRate, float phase)
{
    Signal out(frequency.size());
    double p = phase;
    for (size_t i = 0; i < out.size(); i++) {
        const float t = static_cast<float>(p);
        switch (wave) {
        case Wave::Sine: out[i] = std::sin(kTwoPi * t); break;
        case Wave::Square: out[i] = t < 0.5f ? 1.0f : -1.0f; break;
        case Wave::Saw: out[i] = 2.0f * t - 1.0f; break;
        case Wave::Triangle: out[i] = t < 0.5f ? 4.0f * t - 1.0f : 3.0f - 4.0f * t; break;
        }
        p += frequency[i] / static_cast<double>(sampleRate);
        p -= std::floor(p);
    }
    return out;
}

Signal noise(size_t count, uint32_t seed)
{
    Noise source(seed);
    Signal out(count);
    for (float& sample : out)
        sample = source.next();
    return out;
}

Signal brownNoise(size_t count, uint32_t seed)
{
    Noise source(seed);
    Signal out(count);
    float level = 0.0f;
    for (float& sample : out) {
        level = 0.98f * level + 0.02f * source.next() * 3.0f;
        sample = level;
    }
    return out;
}

void lowPass(Signal& signal, const Signal& cutoff, int sampleRate, float q)
{
    stateVariable(signal, cutoff, sampleRate, q, FilterOutput::Low);
}

void highPass(Signal& signal, const Signal& cutoff, int sampleRate, float q)
{
    stateVariable(signal, cutoff, sampleRate, q, FilterOutput::High);
}

void bandPass(Signal& signal, const Signal& centre, int sampleRate, float q)
{
    stateVariable(signal, centre, sampleRate, q, FilterOutput::Band);
}

void multiply(Signal& signal, const Signal& gain)
{
    const size_t count = std::min(signal.size(), gain.size());
    for (size_t i = 0; i < count; i++)
        signal[i] *= gain[i];
    signal.resize(count);
}

void envelope(Signal& signal, int sampleRate, float attack, float decay, float sustain, float release)
{
    const float rate = static_cast<float>(sampleRate);
    const float total = static_cast<float>(signal.size()) / rate;
    const float releaseStart = std::max(0.0f, total - release);
    for (size_t i = 0; i < signal.size(); i++) {
        const float t = static_cast<float>(i) / rate;
        float level;
        if (t < attack)
            level = t / attack;
        else if (t < attack + decay)
            level = 1.0f - (1.0f - sustain) * (t - attack) / decay;
        else
            level = sustain;
        if (t > releaseStart && release > 0.0f)
            level *= std::max(0.0f, (total - t) / release);
        signal[i] *= level;
    }
}

void strike(Signal& signal, int sampleRate, float attack, float halfLife)
{
    const float rate = static_cast<float>(sampleRate);
    const float fall = std::log(2.0f) / std::max(halfLife, 1e-4f);
    for (size_t i = 0; i < signal.size(); i++) {
        const float t = static_cast<float>(i) / rate;
        const float rise = attack > 0.0f ? std::min(1.0f, t / attack) : 1.0f;
        signal[i] *= rise * std::exp(-fall * std::max(0.0f, t - attack));
    }
}

void mixInto(Signal& target, const Signal& source, float gain, size_t offset)
{
    if (target.size() < offset + source.size())
        target.resize(offset + source.size(), 0.0f);
    for (size_t i = 0; i < source.size(); i++)
        target[offset + i] += gain * source[i];
}

void normalise(Signal& signal, float peak)
{
    float largest = 0.0f;
    for (float sample : signal)
        largest = std::max(largest, std::fabs(sample));
    if (largest <= 0.0f)
        return;
    const float scale = peak / largest;
    for (float& sample : signal)
        sample *= scale;
}

void makeLoop(Signal& signal, size_t fade)
{
    if (fade == 0 || signal.size() <= 2 * fade)
        return;
    const size_t length = signal.size() - fade;
    for (size_t i = 0; i < fade; i++) {
        const float w = (static_cast<float>(i) + 0.5f) / static_cast<float>(fade) * 0.5f *
                        std::numbers::pi_v<float>;
        signal[i] = signal[i] * std::sin(w) + signal[length + i] * std::cos(w);
    }
    signal.resize(length);
}

std::vector<uint8_t> wavFile(const Signal& signal, int sampleRate)
{
    const uint32_t dataBytes = static_cast<uint32_t>(signal.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    auto text = [&](const char* s) {
        for (int i = 0; i < 4; i++)
            out.push_back(static_cast<uint8_t>(s[i]));
    };
    text("RIFF");
    kv::appendU32(out, 36 + dataBytes);
    text("WAVE");
    text("fmt ");
    kv::appendU32(out, 16);
    kv::appendU16(out, 1); // PCM
    kv::appendU16(out, 1); // mono
    kv::appendU32(out, static_cast<uint32_t>(sampleRate));
    kv::appendU32(out, static_cast<uint32_t>(sampleRate) * 2);
    kv::appendU16(out, 2);
    kv::appendU16(out, 16);
    text("data");
    kv::appendU32(out, dataBytes);
    for (float sample : signal) {
        const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
        kv::appendU16(out, static_cast<uint16_t>(static_cast<int16_t>(value)));
    }
    return out;
}

std::vector<int8_t> toPcm8(const Signal& signal)
{
    std::vector<int8_t> out(signal.size());
    for (size_t i = 0; i < signal.size(); i++)
        out[i] = static_cast<int8_t>(std::lround(std::clamp(signal[i], -1.0f, 1.0f) * 127.0f));
    return out;
}

} // namespace synth
