#include "world/Effects.h"
namespace tvl {
bool plantListReady = false;
void clearPlants() {}
}
