#pragma once
namespace kv {

// Composes the layers, displays the window and runs the frame update (pumpFrame).
// cursorKind 0 is the system cursor.
void displayFrame(int cursorKind);

} // namespace kv
