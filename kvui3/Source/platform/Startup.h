#pragma once
// Start-up checks that run before the framework touches files or the display.

namespace kv {

// When the working folder holds no "base" folder (any case), changes to the folder of the
// running executable, as a Windows shortcut would start the program beside its data. Call it
// before anything reads the working folder (getCurrentFolder keeps its first answer). Clears
// the path cache when it changes folder. True when the folder was changed; false when no
// change was needed or the executable's folder could not be entered.
bool changeToProgramFolderIfNeeded();

// True when an X display can be opened (the connection is kept for the run). SFML aborts
// without one, so start-up asks first and fails cleanly.
bool displayAvailable();

} // namespace kv
