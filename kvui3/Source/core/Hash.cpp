#include "core/Hash.h"

#include "core/StringUtils.h"

namespace kv {

uint32_t hashName(const char* name)
{
    uint32_t h = 0;
    if (!name)
        return h;
    for (; *name; name++) {
        h = h * 65599u + static_cast<unsigned char>(toLowerAscii(*name));
    }
    return h;
}

uint32_t hashName(const std::string& name)
{
    return hashName(name.c_str());
}

void HashedName::set(HashedName& record, const std::string& name)
{
    record.hash = hashName(name);
    record.hash2 = record.hash;
    record.name = name;
}

} // namespace kv
