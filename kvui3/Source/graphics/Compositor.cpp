#include "graphics/Compositor.h"

#include "core/Framework.h"
#include "core/FrameUpdate.h"

namespace kv {

void displayFrame(int)
{
    renderWindow->display();
    pumpFrame();
}

} // namespace kv
