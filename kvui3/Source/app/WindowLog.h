#pragma once
// What a window tells the log as it opens and closes, for whoever watches the log (the
// end-to-end tests wait on these lines before they look at the screen):
//   "Showing <name>: <width> x <height> at <x>, <y>"  (view units, rounded), written right after
//                                                     the next frame is displayed, so the window
//                                                     is on screen when the line is read;
//   "Closed <name>"                                   when it goes.
#include <SFML/Graphics/Rect.hpp>

#include <string>

namespace kv {

// The Showing line as written.
std::string windowShownLine(const std::string& name, const sf::FloatRect& area);
// Queues the Showing line for the end of the next displayed frame.
void logWindowShown(const std::string& name, const sf::FloatRect& area);
// Writes the Closed line now.
void logWindowClosed(const std::string& name);
// Writes the queued Showing lines; displayFrame calls it after the window's display.
void writeShownWindowLines();

// The two lines of a window that lives in one scope: Closed when it goes.
class WindowLog {
public:
    explicit WindowLog(std::string name) : name_(std::move(name)) {}
    ~WindowLog() { logWindowClosed(name_); }
    WindowLog(const WindowLog&) = delete;
    WindowLog& operator=(const WindowLog&) = delete;

    // The first call queues the Showing line; later ones do nothing.
    void shown(const sf::FloatRect& area);
    // For a window that finds its size over its first frames (Dear ImGui's, after its Begin):
    // shown once the area is the same in two frames running.
    void settled(const sf::FloatRect& area);

private:
    std::string name_;
    bool shown_ = false;
    sf::FloatRect last_;
};

} // namespace kv
