#include "platform/WindowControl.h"
namespace kv {
void minimiseWindow(unsigned long) {}
}
