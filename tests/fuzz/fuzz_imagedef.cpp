// Image definition files: any text gives a bounded list of images, never a crash.
#include "core/IniFile.h"
#include "world/Images.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kv::IniFile ini;
    ini.loadFromText(std::string(reinterpret_cast<const char*>(data), size));
    for (int room : {0, 3, 2048}) {
        tvl::ImageDefinitions defs = tvl::readImageDefinitions(ini, "Default.png", room);
        if (defs.images.size() > static_cast<size_t>(room))
            std::abort();
        for (const tvl::ImageDefinition& d : defs.images)
            if (d.imageName.empty() && !d.rect && d.turnSpeed != d.turnSpeed)
                std::abort();
    }
    return 0;
}
