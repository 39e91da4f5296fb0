#include "world/Ambience.h"
namespace tvl {
bool replantRequested = false;
// Nothing is measured, placed or played yet.
void initAmbience() {}
void playAmbientLoops() {}
void updateAmbience() {}
}
