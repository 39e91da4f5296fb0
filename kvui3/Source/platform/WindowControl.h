#pragma once
// Window-manager requests SFML does not offer. The handle is the X11 window of the program
// (sf::WindowHandle). Each call opens its own short display connection.

namespace kv {

// Asks the window manager to minimise (iconify) the window. True when the request was sent;
// false for handle 0, without a display, or when no window manager runs (nobody could
// minimise it, so the window stays as it is).
bool minimiseWindow(unsigned long x11WindowHandle);

// True when the window manager shows the window minimised (its WM_STATE is iconic). False for
// handle 0, without a display or window manager, or for a handle that names no window.
bool windowIsMinimised(unsigned long x11WindowHandle);

} // namespace kv
