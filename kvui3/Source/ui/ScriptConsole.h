#pragma once
// The Script Console window: a toolbar of script commands docked above a multi-line editor, and
// the history of earlier scripts read from scriptConsoleHistory.dat. The window is only built:
// nothing here runs a script or writes the history file. Its owner updates and draws the
// toolbar and the memo when it shows the window.
//
// History file (little-endian): the 32-byte signature "KVUI3 Script Console History" NUL-padded,
// i32 version 1, u32 count, then count strings of an i32 length (0 .. 4096) and that many bytes.
#include "core/LazyObject.h"
#include "ui/TextMemo.h"
#include "ui/Toolbar.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

inline const std::string scriptConsoleHistoryFile = "scriptConsoleHistory.dat";
inline const std::string scriptConsoleHistorySignature = "KVUI3 Script Console History";

struct ScriptConsoleWidgets {
    Toolbar scriptConsoleToolbar; // titled "Script Console"
    TextMemo scriptConsoleMemo;
    // The toolbar's command buttons; every build fetches them again (the old ones are gone).
    Button* executeButton = nullptr;        // F5
    Button* historyBackButton = nullptr;    // F7
    Button* historyForwardButton = nullptr; // F8
    Button* selectAllButton = nullptr;
    Button* copyAllButton = nullptr;
    Button* clearAndPasteButton = nullptr;
    Button* clearButton = nullptr;
    Button* clearHistoryButton = nullptr;
    Button* exitButton = nullptr; // Escape
};
extern LazyObject<ScriptConsoleWidgets> scriptConsoleWidgets;

// Earlier scripts, oldest first, and the entry the editor shows.
extern std::vector<std::string> scriptConsoleHistory;
extern uint64_t scriptConsoleHistoryIndex;

// (Re)builds the window for the current view and theme and loads the history; the editor shows
// the newest entry (or nothing). Needs the fonts and the icon sheet. Start-up calls it, and again
// after every display-mode change and theme load.
void createScriptConsole();

// Empties the history (index 0), then reads path (a game path). A missing file loads nothing and says
// nothing; a wrong signature or version loads nothing. A file that runs out or holds a refused
// string keeps the entries read before it, so a corrupt count costs at most one read per entry
// the file really holds. True when the whole file was read; otherwise the reason is logged
// (except for a missing file).
bool loadScriptConsoleHistory(const std::string& path = scriptConsoleHistoryFile);

// "History Back" is enabled above the first entry, "History Forward" below the last; both off
// for an empty history. Does nothing before the first build.
void updateHistoryButtons();

} // namespace kv
