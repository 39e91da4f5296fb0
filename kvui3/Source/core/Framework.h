#pragma once
// The framework's program-wide objects and its display modes (start-up is app/KVCore.h).
#include "core/LazyObject.h"
#include "core/Notifier.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <functional>
#include <string>

namespace kv {

// The one window; built on first use, created by KVCore::setDisplayMode.
extern LazyObject<sf::RenderWindow> renderWindow;

extern std::string appName;
extern std::string appVersion;
extern std::string appWebsite;
extern std::string appCredits;
extern std::string uiConfigPath;

// Seconds since program start for animations and shader time; never restarted.
extern sf::Clock programClock;

extern bool frameworkInitialised;
extern bool displayWindowed;
extern bool showFPS;
extern bool imguiEnabled;

// Resolution emulation.
extern bool emulatingResolution;
extern int emulatedViewWidth;
extern int emulatedViewHeight;

// The logical view and letterbox viewport for emulating width x height in a W x H window.
// Both requested sizes are raised to at least 640 x 480; the view is widened (or heightened)
// so its aspect matches the window's, then scaled to fit.
struct Emulation {
    float viewWidth = 0, viewHeight = 0;
    float viewportLeft = 0, viewportTop = 0, viewportWidth = 1, viewportHeight = 1;
};
Emulation computeEmulation(float windowWidth, float windowHeight, int width, int height);

// The window size asked for width x height on a desktop of that size: at most the desktop in
// each direction, and at least 640 x 480 even on a smaller one.
sf::Vector2u fitWindowSize(int width, int height, sf::Vector2u desktop);

// Where a window of that size goes on a desktop of that size: centred, its top-left corner
// never off the desktop.
sf::Vector2i centredWindowPosition(sf::Vector2u window, sf::Vector2u desktop);

// The emulated size used for width x height in a windowWidth x windowHeight window: raised to at
// least 640 x 480, then scaled down together (aspect kept) until the view computeEmulation widens
// it to is at most maxTextureSize whole pixels on each side: the world is drawn on a texture of
// the view's size.
sf::Vector2i fitEmulatedSize(int width, int height, float windowWidth, float windowHeight,
                             unsigned maxTextureSize);

// Runs before KVCore::shutdown when the window is closed, so the game can save its settings.
void registerOnQuitCallback(std::function<void()> callback);
void runOnQuitCallbacks();

// Windows fitted to the old display mode rebuild themselves on it.
extern Notifier displayModeChanged;

namespace KVCore {

// (Re)creates the window at the size fitWindowSize gives on this desktop (a window centred on
// it) and records the mode in the settings; every call after the first notifies
// displayModeChanged. Returns whether the window is open.
bool setDisplayMode(int width, int height, unsigned bpp, bool windowed);

// Emulates the size fitEmulatedSize gives for this window and the driver's largest texture;
// storeInSettings records that fitted size.
void emulateResolution(int width, int height, int ignored, bool storeInSettings);
void applyEmulatedView();

// SFML's fullscreen mode list at index (best first); all zero outside the list.
sf::VideoMode getFullscreenMode(int index);

} // namespace KVCore

// The fatal error box: "Error" caption.
void showErrorBox(const std::string& text);

} // namespace kv
