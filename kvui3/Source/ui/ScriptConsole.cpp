#include "ui/ScriptConsole.h"

#include "core/BinaryFile.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Log.h"
#include "graphics/Text.h"

#include <SFML/Window/Keyboard.hpp>

namespace kv {

LazyObject<ScriptConsoleWidgets> scriptConsoleWidgets;
std::vector<std::string> scriptConsoleHistory;
uint64_t scriptConsoleHistoryIndex = 0;

namespace {

const sf::Color editorBack(30, 30, 30, 255);
const sf::Color editorText(200, 200, 200, 255);
constexpr uint8_t editorAlpha = 192;

void addButtons(ScriptConsoleWidgets& w)
{
    Toolbar& bar = w.scriptConsoleToolbar;
    const auto add = [&bar](const char* text, int icon, uint32_t key) {
        return bar.addButton(text, icon, key, "", false);
    };
    w.executeButton = add("Execute Script", 134, sf::Keyboard::F5);
    bar.addSeparator();
    w.historyBackButton = add("History Back", 70, sf::Keyboard::F7);
    w.historyForwardButton = add("History Forward", 130, sf::Keyboard::F8);
    bar.addSeparator();
    w.selectAllButton = add("Select All", 138, Keyboard::noKey);
    w.copyAllButton = add("Copy All", 21, Keyboard::noKey);
    w.clearAndPasteButton = add("Clear and Paste", 106, Keyboard::noKey);
    w.clearButton = add("Clear", 24, Keyboard::noKey);
    bar.addSeparator();
    w.clearHistoryButton = add("Clear History", 128, Keyboard::noKey);
    bar.addSeparator();
    w.exitButton = add("Exit", 38, sf::Keyboard::Escape);
}

} // namespace

void createScriptConsole()
{
    ScriptConsoleWidgets& w = *scriptConsoleWidgets;
    Toolbar& bar = w.scriptConsoleToolbar;
    TextMemo& memo = w.scriptConsoleMemo;
    bar.destroy();
    memo.destroy();

    const sf::Vector2f view = InputHooks::currentViewSize();
    const float line = componentLineSpacing();
    const sf::Vector2f editorSize(view.x * 0.9f, view.y * 0.7f);
    const sf::Vector2f editorAt((view.x - editorSize.x) * 0.5f, line + 56);
    bar.create({editorAt.x, 8});
    bar.setTitle("Script Console");
    addButtons(w);

    memo.create(editorAt, editorSize);
    memo.backColour = editorBack;
    memo.back.shape.setFillColor(editorBack);
    memo.textColour = editorText;
    memo.cursorBar.setColour(editorText);
    memo.textObject.setFillColor(editorText);
    memo.textObject.setFont(*monoFont);
    memo.textObject.setCharacterSize(componentTextSize);
    memo.updateText();

    // Directly above the editor and as wide as it.
    bar.setPosition({editorAt.x, editorAt.y - Toolbar::barHeight()});
    bar.setSize({editorSize.x, bar.getHeight()});

    memo.back.setAlpha(editorAlpha);
    memo.frame.setAlpha(editorAlpha);

    loadScriptConsoleHistory();
    if (!scriptConsoleHistory.empty()) {
        scriptConsoleHistoryIndex = scriptConsoleHistory.size() - 1;
        memo.setText(scriptConsoleHistory.back());
    }
    updateHistoryButtons();
}

bool loadScriptConsoleHistory(const std::string& path)
{
    scriptConsoleHistory.clear();
    scriptConsoleHistoryIndex = 0;
    BinaryFile file;
    if (!file.open(path))
        return false;
    uint32_t count = 0;
    if (!file.readHeader(scriptConsoleHistorySignature) || !file.readU32(count)) {
        writeLog("loadScriptConsoleHistory: " + file.getLastError());
        return false;
    }
    // The count is not trusted: the first string the file does not hold ends the read.
    for (uint32_t i = 0; i < count; ++i) {
        std::string entry = file.readStdString32();
        if (file.hasFailed()) {
            writeLog("loadScriptConsoleHistory: kept " + std::to_string(i) + " of " + std::to_string(count) +
                     " entries: " + (file.getLastError().empty() ? "a refused string" : file.getLastError()));
            return false;
        }
        scriptConsoleHistory.push_back(std::move(entry));
    }
    return true;
}

void updateHistoryButtons()
{
    ScriptConsoleWidgets& w = *scriptConsoleWidgets;
    if (!w.historyBackButton || !w.historyForwardButton)
        return;
    w.historyBackButton->enabled = scriptConsoleHistoryIndex > 0;
    w.historyForwardButton->enabled = scriptConsoleHistoryIndex + 1 < scriptConsoleHistory.size();
}

} // namespace kv
