#pragma once
// Dear ImGui on SFML: feeds a window's events into ImGui 1.86's input fields and renders the
// frame through imgui_impl_opengl2 inside SFML's saved GL states. One window, one ImGui context.
//
// Per frame: ProcessEvent for every event, Update once before any ImGui:: call, Render once
// after them. Keys are reported by SFML key code (io.KeysDown[sf::Keyboard::Key]).
#include <SFML/System/Time.hpp>

namespace sf {
class Event;
class RenderTarget;
class RenderWindow;
class Window;
} // namespace sf

namespace ImGui {
namespace SFML {

// Creates the ImGui context (when none is current), maps the keys and starts the OpenGL2
// renderer with the window's context active. loadDefaultFont adds ImGui's built-in font;
// without it the caller adds fonts and calls UpdateFontTexture. False when the renderer
// could not start. The window is kept: when kv::displayModeChanged says it was made again, the
// frame in progress is begun again on it (at its new size).
bool Init(sf::RenderWindow& window, bool loadDefaultFont = true);

// Keys, typed characters (32 and up, not 127), mouse position, buttons, wheel and focus.
void ProcessEvent(const sf::Window& window, const sf::Event& event);

// Display size, frame time (a zero or negative dt counts as a tiny step: ImGui needs dt > 0),
// mouse buttons and modifiers; then starts the ImGui frame.
void Update(sf::RenderWindow& window, sf::Time dt);

// Ends the ImGui frame and draws it onto target (window pixels), keeping SFML's GL state.
void Render(sf::RenderTarget& target);

// Stops the renderer and destroys the context that Init created.
void Shutdown();

// Rebuilds the font texture after fonts were added to the atlas (needs the GL context).
void UpdateFontTexture();

} // namespace SFML
} // namespace ImGui
