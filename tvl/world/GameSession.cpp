// The game session's side of a frame: the input it hands the rules.
#include "world/GameSession.h"

#include "core/Input.h"
#include "core/Keyboard.h"
#include "world/GameState.h"

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

PlayerInput gameFrameInput(const kv::InputState& state)
{
    if (game.consoleOpen)
        return {};
    PlayerInput input = playerInputFrom(state);
    // Taken from the tick's keys, so that one press is one use.
    input.useItemPressed = kv::Keyboard::keyPressed(sf::Keyboard::LControl, true);
    return input;
}

} // namespace tvl
