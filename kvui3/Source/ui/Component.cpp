#include "ui/Component.h"

#include <algorithm>
#include <iterator>

namespace kv {

uint32_t usedComponentIds[maxComponentIds] = {};
uint32_t focusedComponentId = 0xFFFFFFFF;

void resetComponentIds()
{
    std::fill(std::begin(usedComponentIds), std::end(usedComponentIds), 0u);
    focusedComponentId = 0;
}

} // namespace kv
