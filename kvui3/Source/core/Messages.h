#pragma once
// The message list: short lines shown for about ten seconds at the lower left of the screen
// and echoed to a sink (the console). Warnings and errors carry their prefix only on the way to the log.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct MessageEntry {
    std::string text;
    sf::Color colour;
    uint32_t age = 0;        // whole seconds shown, counted as changes of the UTC second
    uint32_t lastSecond = 0; // the UTC second (0..59) at which age last advanced
    sf::Text textObject;
};

constexpr std::size_t maxMessages = 11;
constexpr uint32_t messageLifetime = 10; // an entry older than this many seconds goes
extern std::vector<MessageEntry> messageList;
extern const sf::Color messageDefaultColour;

// Where each listed line is echoed as well; the console attaches itself (Console::attachToMessages).
struct MessageSink {
    // A new line; plain lines come in opaque black.
    void (*addLine)(const sf::Color& colour, const std::string& text) = nullptr;
    // Recolours the newest echoed line when it holds text.
    void (*recolourLast)(const std::string& text, const sf::Color& colour) = nullptr;
};
extern MessageSink messageSink;

// Adds the text split at line breaks, one entry a line (empty pieces add nothing); at most 11
// entries stay. Nothing is shown while the window is closed.
void printMessage(const std::string& text, const sf::Color& colour = messageDefaultColour,
                  bool singleLine = false);
// The text alone in the theme's warning / error colour, and "Warning: " / "Error: " + text in
// the log (also while no window is open).
void printWarning(const std::string& text);
void printError(const std::string& text);

// Recolours the newest entry, and the sink's newest line when it holds the same text.
void setLastMessageColour(const sf::Color& colour);

// The UTC second (0..59) the entries age against.
uint32_t messageSecondNow();
// Ages the entries on a tick against the current UTC second (0..59); true when any changed.
void ageMessages(uint32_t utcSecond);

// appName + " v" + appVersion.
std::string getAppNameAndVersion();

} // namespace kv
