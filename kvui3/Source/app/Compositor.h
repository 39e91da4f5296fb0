#pragma once
// The end of every frame: composes the render layers into layerDisplay's target (the window),
// runs the lighting and thermal passes, draws messages, cursor, ImGui, hints and the frame
// rate, writes a requested screenshot, displays the window and runs pumpFrame.
#include "core/LazyObject.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

namespace kv {

// cursorKind: 0 the system cursor; 1 none; 2, 3, 4 the drawn cursor sprite of that number at
// the mouse; any other value leaves the cursor as the previous frame left it.
void displayFrame(int cursorKind);

// Writes the window's content to "screenshot_YYYYMMDD_HHMMSS.png" (UTC) in the current folder,
// or the first free "_NN" form of it. "Saved screenshot to " + name on screen and in the log
// only when the whole file was written; any failure is reported through printError, and a
// partly written file removed.
void takeScreenshot();

// The screenshot file name for the UTC time utc: the plain name when exists() says it is free,
// else the first free suffix 1..9999 ("_01", "_02", ... "_9999"); "" when every one is taken.
std::string chooseScreenshotName(const std::tm& utc, const std::function<bool(const std::string&)>& exists);

// Frames counted per whole second.
struct FpsCounter {
    uint32_t count = 0;
    uint32_t shownRate = 0;     // the frames of the last completed second
    double secondStart = 0;     // seconds on the counter's clock at which the count began
    // Counts one frame at nowSeconds; when a second or more has passed, the count becomes the
    // shown rate and counting restarts.
    void countFrame(double nowSeconds);
};
extern FpsCounter fpsCounter;

// The frame-rate text, set up once by start-up (initFpsText) and drawn while showFPS is set.
extern LazyObject<sf::Text> fpsText;
extern LazyObject<sf::RectangleShape> fpsBackground;
extern float fpsTextWidth;
extern float fpsLineSpacing;
extern bool fpsTextReady;
// First call only: medium font, size 24, white; width of 8 digits and the font's line spacing;
// background (0,0,0,192).
void initFpsText();
// Where the frame-rate text and its background go on a view of viewSize: a box for a text at
// most textWidth wide and one line high with 5 px of background around it, 10 px in from the
// bottom right corner. The top of the screen belongs to the game's scoreboard and gauges.
sf::FloatRect fpsTextBox(sf::Vector2f viewSize, float textWidth, float lineSpacing);

// Cursor sprites 2, 3 and 4 (0 and 1 unused), made by start-up.
extern sf::Sprite cursorSprites[5];

// A recent frame as it was shown, without its hints and frame-rate text: displayFrame copies the
// window into it just before drawing those in every frame that follows a tick (and whenever the
// window's size changed), since after a swap the back buffer may hold anything (on Mesa it reads
// back as zeros). Window-sized; empty before the first displayed frame. Modal dialogs dim it for
// their backdrop.
const sf::Texture& lastShownFrame();

// The innermost frame loop is a modal dialog's (ModalScope sets it; every nested loop starts
// without it and puts the outer loop's value back). Then the message list is drawn on the
// display under the UI layer, so the dialog's widgets cover it and stay readable.
extern bool modalDialogRunning;

// Incremented at the very end of every displayFrame; lights update once per number.
extern uint32_t frameNumber;

} // namespace kv
