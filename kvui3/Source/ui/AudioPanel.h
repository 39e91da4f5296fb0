#pragma once
namespace kv::AudioPanel {
void resetButtons();
// Builds the panel's widgets with the current theme.
void build();
// One frame of the panel's input and drawing; true when it asks to close.
bool update();
}
