#include "ui/Dialogs.h"

namespace kv {

void showTextFile(const std::string&, const std::string&, const std::string&) {}

} // namespace kv
