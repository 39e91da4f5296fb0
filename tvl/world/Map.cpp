#include "world/Map.h"
namespace tvl {
void unloadMap() {}
}
