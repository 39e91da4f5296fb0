#pragma once
// Widget ids and focus.
#include <cstdint>

namespace kv {

constexpr uint32_t maxComponentIds = 2048;
extern uint32_t usedComponentIds[maxComponentIds]; // 0 free, 1 claimed
extern uint32_t focusedComponentId;                // 0xFFFFFFFF = none

// Frees every id and clears the focus (to 0); start-up calls it.
void resetComponentIds();

} // namespace kv
