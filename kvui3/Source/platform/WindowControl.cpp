#include "platform/WindowControl.h"
namespace kv {
void minimiseWindow(unsigned long) {}
bool windowIsMinimised(unsigned long) { return false; }
}
