#include "world/PlayerInput.h"

#include "core/Input.h"

#include <SFML/Window/Keyboard.hpp>

namespace tvl {

PlayerInput playerInputFrom(const kv::InputState& state)
{
    using Key = sf::Keyboard;
    PlayerInput input;
    if (!state.focus)
        return input;
    const auto down = [&state](int a, int b) { return state.keyDown(a) || state.keyDown(b); };
    if (down(Key::Up, Key::W))
        input.throttle = 1;
    else if (down(Key::Down, Key::S))
        input.throttle = -1;
    if (down(Key::Left, Key::A))
        input.steering = -1;
    else if (down(Key::Right, Key::D))
        input.steering = 1;
    input.nitro = state.keyDown(Key::Space) || down(Key::LShift, Key::RShift);
    input.useItem = state.buttonDown(0);
    return input;
}

} // namespace tvl
