#pragma once
namespace kv {
// (Re)builds the Script Console window; called again after every display-mode change.
void createScriptConsole();
}
