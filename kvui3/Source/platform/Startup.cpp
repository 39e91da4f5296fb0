#include "platform/Startup.h"
#include <cstdlib>
namespace kv {
void changeToProgramFolderIfNeeded() {}
bool displayAvailable() { return std::getenv("DISPLAY") != nullptr; }
}
