#include "ui/Dialogs.h"

#include "core/Messages.h"

namespace kv {

void showMessage(const std::string& text)
{
    printError(text);
}

void showTextFile(const std::string&, const std::string&, const std::string&) {}

} // namespace kv
