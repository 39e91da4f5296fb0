#include "ui/AudioPanel.h"

#include "core/Messages.h"

namespace kv::AudioPanel {
void showModal()
{
    printMessage("Audio Panel: the panel is not available yet.");
}
void resetButtons() {}
void build() {}
// No panel yet: it closes at once.
bool update()
{
    return true;
}
}
