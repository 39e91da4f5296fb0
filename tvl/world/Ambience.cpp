#include "world/Ambience.h"
namespace tvl {
void playAmbientLoops() {}
bool replantRequested = false;
// Nothing is measured or placed yet.
void updateAmbience() {}
}
