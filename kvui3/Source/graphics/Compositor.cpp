#include "graphics/Compositor.h"

#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Messages.h"

namespace kv {

void displayFrame(int)
{
    drawMessages();
    renderWindow->display();
    pumpFrame();
}

} // namespace kv
