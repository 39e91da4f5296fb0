#include "core/Hash.h"

namespace kv {

uint32_t hashName(const char* name)
{
    uint32_t h = 0;
    if (!name)
        return h;
    for (; *name; name++) {
        unsigned char c = static_cast<unsigned char>(*name);
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        h = h * 65599u + c;
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
