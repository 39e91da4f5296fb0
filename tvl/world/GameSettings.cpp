#include "world/GameSettings.h"
namespace tvl {
void loadGameSettings() {}
void saveGameSettings() {}
}
