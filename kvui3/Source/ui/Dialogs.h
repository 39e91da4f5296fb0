#pragma once
// The framework's modal dialogs.
#include <string>

namespace kv {

// Shows a text file (a game path) in a full-view reader titled title until it is closed; the
// second argument is not used by the viewer.
// Shows text until it is acknowledged. Until the dialog is built the text goes to the message
// list as an error.
void showMessage(const std::string& text);

void showTextFile(const std::string& fileName, const std::string& unused, const std::string& title);

} // namespace kv
