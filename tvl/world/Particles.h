#pragma once
// Particle definition files: the wildlife and plants of a map, one kind per file under
// base\Particles. Effects refer to a definition by the hash of its path relative to that folder.
#include "core/Hash.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tvl {

struct WildlifeDefinition {
    kv::HashedName id; // the file's path relative to base\Particles
    std::string name = "None";
};

struct PlantDefinition {
    kv::HashedName id;
    std::string name = "None";
};

extern std::vector<WildlifeDefinition> wildlifeDefinitions;
extern std::vector<PlantDefinition> plantDefinitions;
// id hash -> index in the vector; a later file with the same id wins.
extern std::unordered_map<uint32_t, int> wildlifeDefinitionIndex;
extern std::unordered_map<uint32_t, int> plantDefinitionIndex;

// Reads one definition file (path: a game path; relativePath: below base\Particles). True when
// it was read, also for a tree (which keeps nothing). An unreadable file reports the ini
// reader's error, an unknown [particle] type "<relativePath>: unknown particle type"; both
// give false.
bool loadParticleDefinition(const std::string& path, const std::string& relativePath);

} // namespace tvl
