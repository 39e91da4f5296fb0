#include "world/Images.h"

#include "core/Hash.h"
#include "core/Messages.h"

namespace tvl {

int imageCount = 0;
std::unordered_map<uint32_t, int> imageIndexByName;

static std::string withoutExtension(const std::string& name)
{
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

int getImageNumber(const std::string& name, bool reportMissing)
{
    if (name.empty())
        return 0;
    std::string base = withoutExtension(name);
    auto it = imageIndexByName.find(kv::hashName(base));
    if (it != imageIndexByName.end())
        return it->second;
    if (reportMissing)
        kv::printError("getImageNumber: Unable to find image " + base);
    return 0;
}

void resetImageTables()
{
    imageCount = 0;
    imageIndexByName.clear();
}

} // namespace tvl
