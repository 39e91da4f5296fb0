#pragma once
// Start-up loading of the game's assets, and the map list.
namespace tvl {
void loadGameAssets();
void clearMapList();
}
