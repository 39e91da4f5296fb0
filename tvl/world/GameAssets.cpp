#include "world/GameAssets.h"
namespace tvl {
void loadGameAssets() {}
void clearMapList() {}
}
