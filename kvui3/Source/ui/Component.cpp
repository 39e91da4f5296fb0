#include "ui/Component.h"

#include "graphics/RenderLayers.h"
#include "graphics/Text.h"

#include <algorithm>
#include <iterator>

namespace kv {

uint32_t usedComponentIds[maxComponentIds] = {};
uint32_t focusedComponentId = noFocusedComponent;
uint32_t autoNameCounter = 1;
bool showComponentBounds = false;

namespace {
// The tick in which each id's widget last ran; 0: not since it was claimed. Ticks are numbered
// across all loops and never reused, so a mark made in another loop matches none of the active
// loop's ticks.
uint64_t runningTick[maxComponentIds] = {};
uint64_t lastTick = 1;
ComponentTicks activeTicks;
} // namespace

void resetComponentIds()
{
    std::fill(std::begin(usedComponentIds), std::end(usedComponentIds), 0u);
    std::fill(std::begin(runningTick), std::end(runningTick), uint64_t(0));
    focusedComponentId = 0;
}

int32_t claimComponentId()
{
    for (uint32_t i = 0; i < maxComponentIds; ++i) {
        if (usedComponentIds[i] == 0) {
            usedComponentIds[i] = 1;
            runningTick[i] = 0;
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

void markComponentRunning(uint64_t id)
{
    if (id < maxComponentIds)
        runningTick[id] = activeTicks.current;
}

bool componentRunning(uint32_t id)
{
    return id < maxComponentIds && usedComponentIds[id] != 0 &&
           (runningTick[id] == activeTicks.current || runningTick[id] == activeTicks.previous);
}

void nextComponentTick()
{
    activeTicks.previous = activeTicks.current;
    activeTicks.current = ++lastTick;
}

ComponentTicks enterComponentLoop()
{
    const ComponentTicks caller = activeTicks;
    ++lastTick;
    activeTicks = {lastTick, lastTick};
    return caller;
}

void leaveComponentLoop(const ComponentTicks& caller)
{
    activeTicks = caller;
}

uint32_t nextFocusId(uint32_t current)
{
    for (uint32_t i = current + 1; i < maxComponentIds; ++i)
        if (componentRunning(i))
            return i;
    for (uint32_t i = 0; i < current && i < maxComponentIds; ++i)
        if (componentRunning(i))
            return i;
    return current;
}

std::string makeAutoName()
{
    if (++autoNameCounter == 0)
        autoNameCounter = 1;
    return "auto:" + std::to_string(autoNameCounter);
}

RenderLayer* componentLayer()
{
    return getRenderLayer(layerUI, false);
}

float componentLineSpacing()
{
    return standardFont->getLineSpacing(componentTextSize);
}

Component::Component()
{
    debugBounds_.setFillColor(sf::Color::Transparent);
    debugBounds_.setOutlineColor(sf::Color(0, 0, 255, 255));
    debugBounds_.setOutlineThickness(1);
}

Component::~Component()
{
    releaseId();
}

Component::Component(Component&& other) noexcept
    : id(other.id), debugBounds_(other.debugBounds_), ownsId_(other.ownsId_)
{
    other.id = noComponentId;
    other.ownsId_ = false;
}

Component& Component::operator=(Component&& other) noexcept
{
    if (this != &other) {
        releaseId();
        id = other.id;
        ownsId_ = other.ownsId_;
        debugBounds_ = other.debugBounds_;
        other.id = noComponentId;
        other.ownsId_ = false;
    }
    return *this;
}

void Component::claimId()
{
    releaseId();
    int32_t claimed = claimComponentId();
    ownsId_ = claimed >= 0;
    id = ownsId_ ? static_cast<uint64_t>(claimed) : 0;
}

void Component::releaseId()
{
    // Only an entry this widget claimed: the overflow id 0 belongs to someone else.
    if (ownsId_ && static_cast<uint32_t>(id) < maxComponentIds)
        usedComponentIds[static_cast<uint32_t>(id)] = 0;
    ownsId_ = false;
    id = noComponentId;
}

void Component::drawDebugBounds()
{
    if (!showComponentBounds)
        return;
    debugBounds_.setPosition(getPosition());
    debugBounds_.setSize(getSize());
    componentLayer()->draw(debugBounds_);
}

} // namespace kv
