#pragma once
namespace kv {
// Reads the theme colours and options from uiConfigPath; missing keys keep their defaults.
void loadTheme();
}
