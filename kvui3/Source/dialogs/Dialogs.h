#pragma once
// The framework's modal dialogs. Each runs frames of its own over a dimmed picture of the
// screen (the same layer, compositor and frame-update calls as the main loop) until it is
// answered; the caller's frame waits. Window events and tick callbacks go on running inside,
// and closing the window takes the close road from there. On return the caller has its keyboard
// focus back, no key or click of the dialog left to handle, and a next frame of time 0.
// Dialogs may open dialogs. Without an open window they do not run (see each call).
#include <SFML/Graphics/Color.hpp>

#include <string>

namespace kv {

// Shows text until OK (or Enter). Without a window the text goes to the message list as an
// error.
void showMessage(const std::string& text);
// showMessage of the printf-formatted text, cut to 1023 characters.
void showMessagef(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Asks text: 1 for Yes (Enter, Space), 0 for No (Escape). An Escape held when it opens, and its
// key repeats, do not answer it. 0 without a window.
int showConfirmDialog(const std::string& text);

// Asks for one line of text (at most 64 characters typed) under prompt, proposing value, whole
// selected when the autoSelectInputDialog setting is on. Ok (Enter): 1 and value = the text;
// Cancel (Escape): 0 and value unchanged. The second argument is not used. 0 without a window.
int showInputDialog(std::string& value, const std::string& unused, const std::string& prompt);

// Lets the user pick a colour, starting from colour. With Dear ImGui on, in its colour picker
// popup: Enter or a click outside takes the colour chosen (true); Escape puts back the one it
// opened with (also true). Otherwise in the framework's colour dialog (titled title unless it is
// empty): Ok (Enter) writes the picked colour, alpha kept, and gives true; Cancel (Escape) gives
// false with colour unchanged. False without a window.
bool showColourDialog(const std::string& title, sf::Color& colour);

// Shows a text file (a game path) in a full-view reader titled title, scrolled by the arrow and
// page keys and the wheel, until Done (Enter). A file that cannot be read shows the message
// "Error reading \"<file>\"" instead. The second argument is not used.
void showTextFile(const std::string& fileName, const std::string& unused, const std::string& title);

} // namespace kv
