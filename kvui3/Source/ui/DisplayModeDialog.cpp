#include "ui/DisplayModeDialog.h"

#include "core/Messages.h"

namespace kv {

int showDisplayModeDialog(DisplayModeChoice&)
{
    printMessage("Video Options: the display mode dialog is not available yet.");
    return 0;
}

} // namespace kv
