#pragma once
// Particle definition files: the wildlife and plants of a map, one kind per file under
// base\Particles. Effects refer to a definition by the hash of its path relative to that folder.
//
// File format (no header): [particle] holds `type` and the keys of the definition below;
// [frame<N>] holds `rect` (left,top,width,height in pixels of base\Effects\Wildlife.png for
// wildlife, base\Effects\Plants.png for plants) and `duration`; [light<N>] holds `pos` (x,y),
// `colour`, `size` (w,h) and `effectLight`. N counts from 0. Numbers and booleans take their
// default when absent or empty; booleans are true for "true", "yes" or "1" in any case.
#include "core/Hash.h"
#include "graphics/Lights.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace kv {
class IniFile;
}

namespace tvl {

// What a definition file's `type` names (case-insensitive): "wildlife", "plant", "tree";
// anything else, including no type, is unknown.
enum ParticleKind : int { particleUnknown = 0, particleWildlife = 1, particlePlant = 2, particleTree = 3 };

// Where a wildlife kind lives (`terrainType`, case-insensitive): "water", "air", anything else land.
enum class ParticleMedium : uint16_t { land = 0, water = 1, air = 3 };

constexpr int maxParticleFrames = 64;
constexpr int maxParticleLights = 8;

struct ParticleFrame {
    // Pixels of the kind's atlas; a `rect` that is not four comma-separated parts reads as 0,0,0,0.
    sf::IntRect rect;
    // Seconds, -1 .. 3600; a frame whose duration is not above 0 is never advanced past.
    float duration = 0;
};

struct ParticleLight {
    float x = 0, y = 0;           // `pos`; (0, 0) unless it is exactly two numbers
    sf::Color colour = sf::Color::White;
    float width = 0, height = 0;  // `size`; (0, 0) unless it is exactly two numbers
    bool effectLight = true;
    kv::LightSource light;        // switched on, half the size, the colour
};

struct WildlifeDefinition {
    kv::HashedName id; // the file's path relative to base\Particles
    std::string name = "None";
    float minScale = 1, maxScale = 1;     // 0 <= min <= max <= 100
    bool uniformScale = true;             // one random scale for both axes, else one per axis
    sf::Color colour = sf::Color::White;
    float alpha = 1;                      // multiplies the fade
    ParticleMedium medium = ParticleMedium::land;
    float minSpeed = 0, maxSpeed = 0;     // pixels a second, 0 <= min <= max <= 2000
    float minLifetime = 0, maxLifetime = 0; // seconds, 0 <= min <= max
    float randomAngleChance = 0;          // 0..1, chance per input tick of a new random heading
    float turnSpeed = 10;                 // degrees a second
    bool castShadow = false;
    float windInfluence = 0;              // 0..1, share of the wind that moves it
    std::vector<ParticleFrame> frames;    // 1 .. 64; frame 0's size is the unscaled size
    std::vector<ParticleLight> lights;    // 0 .. 8; kept, never drawn
};

struct PlantDefinition {
    kv::HashedName id;
    std::string name = "None";
    float minScale = 1, maxScale = 1;     // as for wildlife
    bool uniformScale = true;
    sf::Color colour = sf::Color::White;
    float alpha = 1;
    bool randomiseAngle = false;          // placed at a random rotation
    bool underwater = false;              // drawn in the underwater pass, not the ground pass
    float windInfluence = 0;              // strength of the sway; not clamped
    std::vector<ParticleFrame> frames;    // 1 .. 64
};

extern std::vector<WildlifeDefinition> wildlifeDefinitions;
extern std::vector<PlantDefinition> plantDefinitions;
// id hash -> index in the vector; a later file with the same id wins, both stay in the vector.
extern std::unordered_map<uint32_t, int> wildlifeDefinitionIndex;
extern std::unordered_map<uint32_t, int> plantDefinitionIndex;

int particleKindFromName(const std::string& name);
ParticleMedium particleMediumFromName(const std::string& name);

// Reads one definition file (path: a game path; relativePath: below base\Particles). True when
// it was read, also for a tree (which keeps nothing). An unreadable file reports the ini
// reader's error, an unknown [particle] type "<relativePath>: unknown particle type"; both
// give false and change nothing.
bool loadParticleDefinition(const std::string& path, const std::string& relativePath);
// The same over a file already read.
bool readParticleDefinition(kv::IniFile& ini, const std::string& relativePath);

// Empties both vectors and both maps.
void clearParticleDefinitions();

} // namespace tvl
