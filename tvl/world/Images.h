#pragma once
// The game's image and texture tables.
namespace tvl {
// Empties both tables and their name maps.
void resetImageTables();
}
