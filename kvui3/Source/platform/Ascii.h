#pragma once
// ASCII case folding: bytes >= 0x80 are left as they are.
#include <string>

namespace kv {

constexpr char toLowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoreCase(const std::string& a, const std::string& b);

} // namespace kv
