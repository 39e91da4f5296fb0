#include "world/Particles.h"

#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/StringUtils.h"

namespace tvl {

std::vector<WildlifeDefinition> wildlifeDefinitions;
std::vector<PlantDefinition> plantDefinitions;
std::unordered_map<uint32_t, int> wildlifeDefinitionIndex;
std::unordered_map<uint32_t, int> plantDefinitionIndex;

namespace {

template <typename Definition>
void addDefinition(kv::IniFile& ini, const std::string& relativePath, std::vector<Definition>& list,
                   std::unordered_map<uint32_t, int>& index)
{
    Definition definition;
    kv::HashedName::set(definition.id, relativePath);
    bool found = false;
    const std::string& name = ini.getValue("name", &found);
    if (found)
        definition.name = name;
    index[definition.id.hash] = static_cast<int>(list.size());
    list.push_back(std::move(definition));
}

} // namespace

bool loadParticleDefinition(const std::string& path, const std::string& relativePath)
{
    kv::IniFile ini;
    if (!ini.load(path)) {
        kv::printError(ini.lastError);
        return false;
    }
    ini.setSection("particle");
    const std::string type = kv::toLowerAscii(ini.getValue("type"));
    if (type == "tree")
        return true;
    if (type == "wildlife") {
        addDefinition(ini, relativePath, wildlifeDefinitions, wildlifeDefinitionIndex);
        return true;
    }
    if (type == "plant") {
        addDefinition(ini, relativePath, plantDefinitions, plantDefinitionIndex);
        return true;
    }
    kv::printError(relativePath + ": unknown particle type");
    return false;
}

} // namespace tvl
