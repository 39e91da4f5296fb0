#include "core/Theme.h"
namespace kv {
void loadTheme() {}
}
