#pragma once
// tvl.ini: the game's own settings.
namespace tvl {
void loadGameSettings();
void saveGameSettings();
}
