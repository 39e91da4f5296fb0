#pragma once
namespace kv::AudioPanel {
// Runs the panel modally over the current screen until it is closed.
void showModal();
void resetButtons();
// Builds the panel's widgets with the current theme.
void build();
// One frame of the panel's input and drawing; true when it asks to close.
bool update();
}
