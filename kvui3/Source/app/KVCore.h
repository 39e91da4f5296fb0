#pragma once
// Framework start-up and shutdown: the one place that brings every layer up and down.
#include "core/Framework.h"

namespace kv::KVCore {

// Brings the framework up in its fixed order. False after a failure it has already shown or
// reported (the window may be left open).
bool init();

// Takes it down again; does nothing unless initialised.
void shutdown();

} // namespace kv::KVCore
