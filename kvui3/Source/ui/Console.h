#pragma once
namespace kv {
// Builds the framework console; false when it cannot be built.
bool createConsole();
// Empties the console's output lines.
void clearConsoleLines();
}
