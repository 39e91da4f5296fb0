#pragma once
namespace kv::AudioPanel {
void resetButtons();
// Builds the panel's widgets with the current theme.
void build();
}
