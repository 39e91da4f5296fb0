#pragma once
// The base of every framework widget, the program-wide table of widget ids that keyboard focus
// is built on, automatic widget names and the rule that decides where widgets draw.
//
// Widgets are built in two steps: construction makes the members, the widget's own create(...)
// makes it usable (and may be called again to rebuild it). Owners call update and then draw on
// each widget once per frame.
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>

namespace kv {

class RenderLayer;

constexpr uint32_t maxComponentIds = 2048;
constexpr uint64_t noComponentId = ~uint64_t(0);
constexpr uint32_t noFocusedComponent = 0xFFFFFFFF;

extern uint32_t usedComponentIds[maxComponentIds]; // 0 free, 1 claimed
// The id of the widget that owns keyboard focus; noFocusedComponent for none.
extern uint32_t focusedComponentId;
// Counter behind makeAutoName; 1 at start.
extern uint32_t autoNameCounter;
// While set every widget draws its bounds as a blue frame. Nothing in the program sets it.
extern bool showComponentBounds;

// Frees every id and sets the focus to 0; start-up calls it before any widget exists.
void resetComponentIds();

// Claims the first free entry and returns its index; -1 when all are claimed (nothing is
// claimed then).
int32_t claimComponentId();

// Keyboard focus walks only the widgets that the active frame loop runs. A widget that takes
// focus marks its id in its update; a mark holds through the tick it was made in and the next,
// so widgets that update only on ticks stay reachable. A nested loop starts with nothing marked
// and gives its caller's marks back when it ends: neither the caller's widgets nor the hidden
// program-wide ones (the console line, the Script Console editor) can take the focus inside it.
struct ComponentTicks {
    uint64_t current = 1;
    uint64_t previous = 1;
};

// The widget holding id runs in this tick of the active loop.
void markComponentRunning(uint64_t id);
// Claimed, and marked in this tick or the last one of the active loop.
bool componentRunning(uint32_t id);
// The active loop's next tick; the frame pump calls it with every tick.
void nextComponentTick();
// A nested loop begins with no widget running; the caller's ticks come back for leaveComponentLoop.
ComponentTicks enterComponentLoop();
void leaveComponentLoop(const ComponentTicks& caller);
// Tab order: the next running id above current, else the lowest running one below it; current
// itself when no other runs.
uint32_t nextFocusId(uint32_t current);

// "auto:" + the next counter value; the counter skips 0 when it wraps.
std::string makeAutoName();

// Where widgets draw: the current layer while a clip or a redirected panel is active,
// layerUI otherwise.
RenderLayer* componentLayer();

// The toolkit's text metrics: standardFont at size 18. The line spacing is 0 until the font
// is loaded.
constexpr unsigned componentTextSize = 18;
float componentLineSpacing();

class Component {
public:
    // Without an id.
    std::uint64_t id = noComponentId;

    Component();
    virtual ~Component();

    // Widgets are move-only: a move hands the id over, and no copy can free an entry twice
    // or stand in for the focused widget.
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    Component(Component&& other) noexcept;
    Component& operator=(Component&& other) noexcept;

    // Back to the not-created state; create calls it first when the widget was created.
    virtual void destroy() = 0;
    // Input handling for this frame.
    virtual void update() = 0;
    virtual void draw() = 0;
    // Top-left corner in view coordinates; moves every part.
    virtual void setPosition(const sf::Vector2f& position) = 0;
    virtual sf::Vector2f getPosition() = 0;
    // Resizes and lays the parts out.
    virtual void setSize(const sf::Vector2f& size) = 0;
    virtual sf::Vector2f getSize() = 0;
    virtual float getWidth() = 0;
    virtual float getHeight() = 0;
    // Opacity of the widget's main part, and of the widget and all its parts.
    virtual uint8_t getAlpha() = 0;
    virtual void setAlpha(uint8_t alpha) = 0;

    // Frees the id this widget claimed before (if any), then claims a fresh one. A full table
    // gives id 0, shared and never freed by this widget.
    void claimId();
    // Frees the claimed id (if any); the widget is left without an id.
    void releaseId();
    // Whether id is an entry this widget claimed (and will free).
    bool ownsId() const { return ownsId_; }

    // The blue bounds frame at getPosition / getSize while showComponentBounds is set; every
    // widget's draw ends with it.
    void drawDebugBounds();

private:
    sf::RectangleShape debugBounds_;
    bool ownsId_ = false;
};

} // namespace kv
