#pragma once
// The signals that ask the program to end (SIGTERM, SIGINT, SIGHUP). A handler only records
// which came; the frame pump reads that each frame and takes the close road.

namespace kv {

// Installs the handlers with sigaction, except for a signal the program was started with set to
// be ignored (as nohup does), which stays ignored. Each is one-shot: once it has run its signal
// is back to the default action, so a second one ends a program that never reaches its next frame.
void installQuitSignalHandlers();

// The last quit signal received (0 for none). A plain read, cheap enough for every frame.
int quitSignalReceived();

} // namespace kv
