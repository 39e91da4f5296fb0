#pragma once
#include <string>

namespace kv {
void showPlainMessageBox(const std::string& text, const std::string& caption);
bool askYesNo(const std::string& text, const std::string& caption);
} // namespace kv
