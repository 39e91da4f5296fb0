#pragma once
// The two message boxes the program needs from the desktop: the fatal error box and the yes/no
// question of the close confirmation. Both block until answered.
#include <functional>
#include <string>

namespace kv {

using MessageBoxHook = std::function<void(const std::string& text, const std::string& caption)>;
using YesNoHook = std::function<bool(const std::string& text, const std::string& caption)>;

// Writes "caption: text" to stderr, then shows the box: through the hook when one is set,
// otherwise with xmessage when DISPLAY is set and TVL_TEST is not (nothing more without a
// display, or when xmessage cannot be started).
void showPlainMessageBox(const std::string& text, const std::string& caption);

// Asks a yes/no question; true for Yes. Through the hook when one is set, otherwise with
// xmessage (Yes is the default button; Return answers Yes, Escape No). When no box can be
// shown (no DISPLAY, TVL_TEST set, xmessage missing or failing) the answer is Yes: the question
// confirms something the player asked for, such as closing the window, and answering No would
// leave it impossible.
bool askYesNo(const std::string& text, const std::string& caption);

// Replace the boxes (tests); an empty function restores the default.
void setMessageBoxHook(MessageBoxHook hook);
void setYesNoHook(YesNoHook hook);

} // namespace kv
