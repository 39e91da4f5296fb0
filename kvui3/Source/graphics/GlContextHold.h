#pragma once
// Keeps SFML's transient GL context taken while it lives. Outside such a hold every texture or
// shader bind takes that context and gives it back, allocating SFML's record of it each time;
// a draw pass with many binds inside one hold allocates nothing for them. Make one only while a
// window or render texture context is active (during a frame's drawing).
#include <SFML/Window/GlResource.hpp>

namespace kv {

class GlContextHold : sf::GlResource {
    sf::GlResource::TransientContextLock lock_;
};

} // namespace kv
