#include "world/Particles.h"

#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/StringUtils.h"

#include <algorithm>
#include <limits>

namespace tvl {

std::vector<WildlifeDefinition> wildlifeDefinitions;
std::vector<PlantDefinition> plantDefinitions;
std::unordered_map<uint32_t, int> wildlifeDefinitionIndex;
std::unordered_map<uint32_t, int> plantDefinitionIndex;

namespace {

constexpr float maxScaleLimit = 100;
constexpr float maxSpeedLimit = 2000;
constexpr float noLimit = std::numeric_limits<float>::max();

// Readers over the current section: absent or empty keys keep the default.
float readFloat(const kv::IniFile& ini, const char* key, float fallback)
{
    const std::string& text = ini.getValue(key);
    return text.empty() ? fallback : kv::stringToFloat(text);
}

int readInt(const kv::IniFile& ini, const char* key, int fallback)
{
    const std::string& text = ini.getValue(key);
    return text.empty() ? fallback : kv::stringToInt(text);
}

bool readBool(const kv::IniFile& ini, const char* key, bool fallback)
{
    const std::string& text = ini.getValue(key);
    if (text.empty())
        return fallback;
    const std::string value = kv::toLowerAscii(text);
    return value == "true" || value == "yes" || value == "1";
}

// Exactly count comma-separated parts, or nothing.
bool splitParts(const std::string& text, size_t count, std::vector<std::string>& parts)
{
    kv::splitString(text, ',', parts, true);
    return parts.size() == count;
}

// min into 0 .. max as read, then max into min .. upper; min is held to upper too, so that
// min <= max whatever the file says.
void clampRange(float& min, float& max, float upper)
{
    min = std::min(std::max(0.0f, std::min(min, max)), upper);
    max = std::min(std::max(max, min), upper);
}

float clampTo(float value, float lo, float hi) { return std::min(std::max(value, lo), hi); }

void readScale(const kv::IniFile& ini, float& min, float& max)
{
    min = readFloat(ini, "minScale", 1);
    max = readFloat(ini, "maxScale", 1);
    clampRange(min, max, maxScaleLimit);
}

std::vector<ParticleFrame> readFrames(kv::IniFile& ini, int count)
{
    std::vector<ParticleFrame> frames(static_cast<size_t>(count));
    std::vector<std::string> parts;
    for (int i = 0; i < count; ++i) {
        ParticleFrame& frame = frames[static_cast<size_t>(i)];
        ini.setSection("frame" + std::to_string(i));
        if (splitParts(ini.getValue("rect"), 4, parts))
            frame.rect = sf::IntRect(kv::stringToInt(parts[0]), kv::stringToInt(parts[1]),
                                     kv::stringToInt(parts[2]), kv::stringToInt(parts[3]));
        frame.duration = clampTo(readFloat(ini, "duration", 0), -1, 3600);
    }
    return frames;
}

std::vector<ParticleLight> readLights(kv::IniFile& ini, int count)
{
    std::vector<ParticleLight> lights(static_cast<size_t>(count));
    std::vector<std::string> parts;
    for (int i = 0; i < count; ++i) {
        ParticleLight& light = lights[static_cast<size_t>(i)];
        ini.setSection("light" + std::to_string(i));
        if (splitParts(ini.getValue("pos"), 2, parts)) {
            light.x = kv::stringToFloat(parts[0]);
            light.y = kv::stringToFloat(parts[1]);
        }
        light.colour = ini.getColour("colour", sf::Color::White);
        if (splitParts(ini.getValue("size"), 2, parts)) {
            light.width = kv::stringToFloat(parts[0]);
            light.height = kv::stringToFloat(parts[1]);
        }
        light.effectLight = readBool(ini, "effectLight", true);
        light.light.enabled = true;
        light.light.halfWidth = light.width * 0.5f;
        light.light.halfHeight = light.height * 0.5f;
        light.light.colour = light.colour;
        light.light.buildQuad();
    }
    return lights;
}

// The keys both kinds open with: id, name, scale, colour and alpha.
template <typename Definition>
void readLook(kv::IniFile& ini, const std::string& relativePath, Definition& d)
{
    kv::HashedName::set(d.id, relativePath);
    bool found = false;
    const std::string& name = ini.getValue("name", &found);
    if (found)
        d.name = name;
    readScale(ini, d.minScale, d.maxScale);
    d.uniformScale = readBool(ini, "uniformScale", true);
    d.colour = ini.getColour("colour", sf::Color::White);
    d.alpha = readFloat(ini, "alpha", 1);
}

WildlifeDefinition readWildlife(kv::IniFile& ini, const std::string& relativePath)
{
    WildlifeDefinition d;
    readLook(ini, relativePath, d);
    d.medium = particleMediumFromName(ini.getValue("terrainType"));
    d.minSpeed = readFloat(ini, "minSpeed", 0);
    d.maxSpeed = readFloat(ini, "maxSpeed", 0);
    clampRange(d.minSpeed, d.maxSpeed, maxSpeedLimit);
    d.minLifetime = readFloat(ini, "minLifetime", 0);
    d.maxLifetime = readFloat(ini, "maxLifetime", 0);
    clampRange(d.minLifetime, d.maxLifetime, noLimit);
    d.randomAngleChance = clampTo(readFloat(ini, "randomAngleChance", 0), 0, 1);
    d.turnSpeed = readFloat(ini, "turnSpeed", 10);
    d.castShadow = readBool(ini, "castShadow", false);
    d.windInfluence = clampTo(readFloat(ini, "windInfluence", 0), 0, 1);
    const int lightsCount = std::clamp(readInt(ini, "lightsCount", 0), 0, maxParticleLights);
    const int framesCount = std::clamp(readInt(ini, "framesCount", 0), 1, maxParticleFrames);
    d.frames = readFrames(ini, framesCount);
    d.lights = readLights(ini, lightsCount);
    return d;
}

PlantDefinition readPlant(kv::IniFile& ini, const std::string& relativePath)
{
    PlantDefinition d;
    readLook(ini, relativePath, d);
    d.randomiseAngle = readBool(ini, "randomiseAngle", false);
    d.underwater = readBool(ini, "underwater", false);
    d.windInfluence = readFloat(ini, "windInfluence", 0);
    const int framesCount = std::clamp(readInt(ini, "framesCount", 0), 1, maxParticleFrames);
    d.frames = readFrames(ini, framesCount);
    return d;
}

template <typename Definition>
void append(Definition&& definition, std::vector<Definition>& list, std::unordered_map<uint32_t, int>& index)
{
    index[definition.id.hash] = static_cast<int>(list.size());
    list.push_back(std::move(definition));
}

} // namespace

int particleKindFromName(const std::string& name)
{
    const std::string kind = kv::toLowerAscii(name);
    if (kind == "wildlife")
        return particleWildlife;
    if (kind == "plant")
        return particlePlant;
    if (kind == "tree")
        return particleTree;
    return particleUnknown;
}

ParticleMedium particleMediumFromName(const std::string& name)
{
    const std::string medium = kv::toLowerAscii(name);
    if (medium == "air")
        return ParticleMedium::air;
    if (medium == "water")
        return ParticleMedium::water;
    return ParticleMedium::land;
}

bool loadParticleDefinition(const std::string& path, const std::string& relativePath)
{
    kv::IniFile ini;
    if (!ini.load(path)) {
        kv::printError(ini.lastError);
        return false;
    }
    return readParticleDefinition(ini, relativePath);
}

bool readParticleDefinition(kv::IniFile& ini, const std::string& relativePath)
{
    ini.setSection("particle");
    switch (particleKindFromName(ini.getValue("type"))) {
    case particleTree: // the tree cover comes from the tiles and map sprites
        return true;
    case particleWildlife:
        append(readWildlife(ini, relativePath), wildlifeDefinitions, wildlifeDefinitionIndex);
        return true;
    case particlePlant:
        append(readPlant(ini, relativePath), plantDefinitions, plantDefinitionIndex);
        return true;
    default:
        kv::printError(relativePath + ": unknown particle type");
        return false;
    }
}

void clearParticleDefinitions()
{
    wildlifeDefinitions.clear();
    plantDefinitions.clear();
    wildlifeDefinitionIndex.clear();
    plantDefinitionIndex.clear();
}

} // namespace tvl
