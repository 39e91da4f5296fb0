#include "ui/Console.h"

#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <limits>

namespace kv {

std::vector<ConsoleLine> consoleLines;
bool consoleDrawn = false;
std::string pendingCommand;
std::vector<std::string> consoleHistory;
int consoleHistoryIndex = 0;
const sf::Color consoleTextColour(200, 200, 200, 255);
LazyObject<ConsoleWidgets> consoleWidgets;

namespace {

const sf::Color consoleFace(32, 32, 32, 255);
const sf::Color consoleLightEdge(48, 48, 48, 255);
const sf::Color consoleDarkEdge(16, 16, 16, 255);
const sf::Color plainLineColour(0, 0, 0, 255);
// Inset of the clipped line area inside the panel.
constexpr float lineInset = 6;

// The tick handleInput last ran in; -1 before the first.
int64_t handledTick = -1;

float monoWidth(std::string_view text)
{
    // The edit line holds Latin-1; the font measures UTF-8.
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | byte >> 6);
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return textWidth(*monoFont, consoleTextSize, utf8);
}

float lineRowHeight()
{
    return monoFont->getLineSpacing(consoleTextSize) + 2;
}

// The edit line shows text with the caret at its end, scrolled back to the start.
void showInEdit(TextEdit& edit, const std::string& text)
{
    edit.text = text;
    edit.cursor = static_cast<int32_t>(edit.text.size());
    edit.scroll = 0;
    edit.selectionLength = 0;
}

} // namespace

ConsoleLayout consoleLayout(const sf::Vector2f& view, float titleBarHeight, float editHeight)
{
    ConsoleLayout l;
    l.formPosition = {5, 5};
    l.formSize = {view.x - 10, view.y - 10};
    l.panelPosition = {10, l.formPosition.y + titleBarHeight + 5};
    l.panelSize = {l.formSize.x - 10, l.formSize.y - 10 - titleBarHeight - editHeight};
    l.editPosition = {l.panelPosition.x, l.panelPosition.y + l.panelSize.y};
    l.editSize = {l.panelSize.x, editHeight};
    return l;
}

std::size_t shownConsoleLines(float innerHeight, float rowHeight, std::size_t count)
{
    if (rowHeight <= 0)
        return 0;
    std::size_t shown = 0;
    for (float y = innerHeight - rowHeight; shown < count && y >= -rowHeight; y -= rowHeight)
        ++shown;
    return shown;
}

std::vector<std::string> consoleRows(const std::string& text, float width, const TextMeasure& measure)
{
    std::vector<TextLineRange> ranges;
    wrapText(ranges, text, static_cast<unsigned>(std::max(width, 1.0f)), measure);
    std::vector<std::string> rows;
    const int32_t last = static_cast<int32_t>(text.size()) - 1;
    for (const TextLineRange& range : ranges) {
        const int32_t end = std::min(range.end, last);
        std::string row = range.start <= end ? text.substr(range.start, end - range.start + 1) : std::string();
        while (!row.empty() && (row.back() == '\n' || row.back() == '\r'))
            row.pop_back();
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        rows.emplace_back();
    return rows;
}

bool createConsole()
{
    ConsoleWidgets& w = *consoleWidgets;
    // Placed and sized by updateLayout.
    w.consoleForm.create({5, 5}, {0, 0}, getAppNameAndVersion());
    w.consoleLinePanel.create({0, 0}, {0, 0}, consoleLightEdge, consoleDarkEdge, consoleFace);
    TextBox& edit = w.consoleEdit;
    edit.create("", {0, 0}, maxConsoleEditLength);
    edit.ownMeasure = monoWidth;
    sf::Text& shown = edit.parts.shownText.text;
    shown.setFont(*monoFont);
    shown.setCharacterSize(consoleTextSize);
    shown.setFillColor(consoleTextColour);
    edit.parts.shownText.colour = consoleTextColour;
    edit.parts.cursorBar.setColour(consoleTextColour);
    edit.parts.frame.setColours(consoleLightEdge, consoleDarkEdge, consoleFace);
    Console::updateLayout();
    return true;
}

void clearConsoleLines()
{
    consoleLines.clear();
}

namespace Console {

float measureLineWithFont(const std::string& text)
{
    return textWidth(*monoFont, consoleTextSize, text);
}

float (*measureLine)(const std::string& text) = measureLineWithFont;

void updateLayout()
{
    ConsoleWidgets& w = *consoleWidgets;
    const ConsoleLayout l =
        consoleLayout(InputHooks::currentViewSize(), Form::titleBarHeight(), w.consoleEdit.getHeight());
    w.consoleForm.setPosition(l.formPosition);
    w.consoleForm.setSize(l.formSize);
    w.consoleLinePanel.setBounds(l.panelPosition, l.panelSize);
    w.consoleEdit.setPosition(l.editPosition);
    w.consoleEdit.setSize(l.editSize);
}

void addLine(const sf::Color& colour, const std::string& text)
{
    consoleLines.push_back({text, colour});
    if (consoleLines.size() > maxConsoleLines)
        consoleLines.erase(consoleLines.begin(), consoleLines.begin() + static_cast<long>(consoleLines.size() - maxConsoleLines));
}

void attachToMessages()
{
    messageSink.addLine = addLine;
    messageSink.recolourLast = [](const std::string& text, const sf::Color& colour) {
        if (!consoleLines.empty() && consoleLines.back().text == text)
            consoleLines.back().colour = colour;
    };
}

void takeFocus()
{
    const uint64_t id = consoleWidgets->consoleEdit.id;
    if (id < maxComponentIds)
        focusedComponentId = static_cast<uint32_t>(id);
}

void handleInput()
{
    if (handledTick == static_cast<int64_t>(pollerTickCount))
        return;
    handledTick = pollerTickCount;
    TextBox& box = consoleWidgets->consoleEdit;
    TextEdit& edit = box.edit;
    const auto& keys = Keyboard::pressedKeys;
    const auto key = std::find_if(keys.begin(), keys.end(), [](uint32_t k) {
        return k == sf::Keyboard::Enter || k == sf::Keyboard::Up || k == sf::Keyboard::Down;
    });
    const int historySize = static_cast<int>(consoleHistory.size());
    if (input.focus && key != keys.end()) {
        if (*key == sf::Keyboard::Enter) {
            // A fast typist's last letter can share the tick with Enter: it belongs to the line.
            if (box.focused()) {
                typeText(edit, typedText);
                typedText.clear();
            }
            pendingCommand = edit.text;
            showInEdit(edit, "");
        } else if (*key == sf::Keyboard::Up) {
            if (historySize > 0 && consoleHistoryIndex >= 1) {
                consoleHistoryIndex = std::min(consoleHistoryIndex - 1, historySize - 1);
                showInEdit(edit, consoleHistory[static_cast<std::size_t>(consoleHistoryIndex)]);
            }
        } else if (historySize > 0) {
            if (consoleHistoryIndex >= historySize - 1) {
                consoleHistoryIndex = historySize;
                showInEdit(edit, "");
            } else {
                consoleHistoryIndex = std::max(consoleHistoryIndex + 1, 0);
                showInEdit(edit, consoleHistory[static_cast<std::size_t>(consoleHistoryIndex)]);
            }
        }
    }
    box.update();
}

void draw()
{
    ConsoleWidgets& w = *consoleWidgets;
    w.consoleForm.draw();
    w.consoleLinePanel.draw();
    w.consoleEdit.draw();
    if (!consoleLines.empty()) {
        const sf::Vector2f inner = w.consoleLinePanel.getSize() - sf::Vector2f(2 * lineInset, 2 * lineInset);
        beginClipRect(componentLayer(), w.consoleLinePanel.getPosition() + sf::Vector2f(lineInset, lineInset), inner,
                      true);
        const float row = lineRowHeight();
        std::size_t rowsLeft = shownConsoleLines(inner.y, row, std::numeric_limits<std::size_t>::max());
        float y = inner.y - row;
        for (auto line = consoleLines.rbegin(); line != consoleLines.rend() && rowsLeft > 0; ++line) {
            if (line->rowsWidth != inner.x) {
                line->rows = consoleRows(line->text, inner.x, measureLine);
                line->rowsWidth = inner.x;
            }
            const sf::Color& colour = line->colour == plainLineColour ? consoleTextColour : line->colour;
            for (auto text = line->rows.rbegin(); text != line->rows.rend() && rowsLeft > 0; ++text, --rowsLeft) {
                drawText(layerUI, {0, y}, colour, *text, *monoFont, consoleTextSize);
                y -= row;
            }
        }
        endClipRect();
    }
    consoleDrawn = true;
}

void addToHistory()
{
    if (!consoleHistory.empty() && equalsIgnoreCase(consoleHistory.back(), pendingCommand))
        return;
    consoleHistory.push_back(pendingCommand);
    if (consoleHistory.size() > maxConsoleHistory)
        consoleHistory.erase(consoleHistory.begin(),
                             consoleHistory.begin() + static_cast<long>(consoleHistory.size() - maxConsoleHistory));
}

void tokenize(ConsoleTokens& tokens, const std::string& line)
{
    std::string copy = line;
    std::replace(copy.begin(), copy.end(), '\t', ' ');
    bool quoted = false;
    std::size_t start = 0;
    while (start <= copy.size()) {
        std::size_t end = copy.find('"', start);
        if (end == std::string::npos)
            end = copy.size();
        const std::string segment = copy.substr(start, end - start);
        if (quoted) {
            if (!segment.empty())
                tokens.words.push_back(segment);
        } else {
            std::size_t from = 0;
            while (from <= segment.size()) {
                std::size_t to = segment.find(' ', from);
                if (to == std::string::npos)
                    to = segment.size();
                std::string piece = segment.substr(from, to - from);
                if (!piece.empty() && piece != "\n") {
                    if (piece.back() == '\n')
                        piece.pop_back();
                    if (!piece.empty() && piece.back() == '\r')
                        piece.pop_back();
                    tokens.words.push_back(piece);
                }
                from = to + 1;
            }
        }
        quoted = !quoted;
        start = end + 1;
    }
}

} // namespace Console

} // namespace kv
