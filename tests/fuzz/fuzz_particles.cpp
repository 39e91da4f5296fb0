// Particle definition files: any text is read or refused, never a crash, and whatever is kept
// holds its ranges in order.
#include "core/IniFile.h"
#include "world/Particles.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool ordered(float lo, float hi) { return 0 <= lo && lo <= hi; }

template <typename Definition>
void checkFrames(const Definition& d)
{
    if (d.frames.empty() || d.frames.size() > tvl::maxParticleFrames || !ordered(d.minScale, d.maxScale) ||
        d.maxScale > 100)
        std::abort();
    for (const tvl::ParticleFrame& frame : d.frames)
        if (!(frame.duration >= -1 && frame.duration <= 3600))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kv::IniFile ini;
    ini.loadFromText(std::string(reinterpret_cast<const char*>(data), size));
    tvl::clearParticleDefinitions();
    tvl::readParticleDefinition(ini, "Fuzz.ini");
    for (const tvl::WildlifeDefinition& d : tvl::wildlifeDefinitions) {
        checkFrames(d);
        if (d.lights.size() > tvl::maxParticleLights || !ordered(d.minSpeed, d.maxSpeed) || d.maxSpeed > 2000 ||
            !ordered(d.minLifetime, d.maxLifetime) || !(d.randomAngleChance >= 0 && d.randomAngleChance <= 1) ||
            !(d.windInfluence >= 0 && d.windInfluence <= 1))
            std::abort();
    }
    for (const tvl::PlantDefinition& d : tvl::plantDefinitions)
        checkFrames(d);
    return 0;
}
