#include "world/Ambience.h"
namespace tvl {
void playAmbientLoops() {}
}
