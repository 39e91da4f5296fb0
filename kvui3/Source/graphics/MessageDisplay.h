#pragma once
// The message list on screen: laid out at the lower left in the standard font, drawn on the UI
// layer (beneath it while a modal dialog runs).
#include "core/Messages.h"
#include "graphics/RenderLayers.h"

namespace kv {

// Places the list for the current view: x 10, y = view height - 90 - line spacing at size 16.
void setMessagesOrigin();

// Lays the entries out above the origin with the given line spacing.
void layoutMessages(float lineSpacing);

// Once per frame from the compositor: ages and lays out on ticks, then draws on layer `onto`
// unless consoleShown (the console, drawn this frame, already holds the lines).
void drawMessages(bool consoleShown, RenderLayerId onto);

} // namespace kv
