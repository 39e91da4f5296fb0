#pragma once
// The framework's 32-bit name hash: h = h * 65599 + byte, ASCII letters lower-cased, so names
// match without regard to case. "a\b" and "a/b" hash differently: stored names keep "\".
#include <cstdint>
#include <string>

namespace kv {

// 0 for an empty name (and for a null pointer).
uint32_t hashName(const char* name);
uint32_t hashName(const std::string& name);

// A name with its hash, kept twice (both fields always hold the same value).
struct HashedName {
    uint32_t hash = 0;
    uint32_t hash2 = 0;
    std::string name;

    // Both hash fields from hashName(name); the name is kept in its own case.
    static void set(HashedName& record, const std::string& name);
};

} // namespace kv
