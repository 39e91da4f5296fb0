#include "platform/MessageBox.h"

#include <cstdio>

namespace kv {
void showPlainMessageBox(const std::string& text, const std::string& caption)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}
bool askYesNo(const std::string&, const std::string&)
{
    return true;
}
} // namespace kv
