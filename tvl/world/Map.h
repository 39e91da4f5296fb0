#pragma once
// The loaded map.
namespace tvl {
// Frees the tile grid and the map sprites and forgets the current map file.
void unloadMap();
}
