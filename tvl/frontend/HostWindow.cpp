#include "frontend/HostWindow.h"

#include "core/Messages.h"

namespace tvl {

void hostServerWindow()
{
    kv::printMessage("Host Network Server: this window is not available yet.");
}

} // namespace tvl
