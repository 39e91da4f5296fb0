#include "frontend/JoinWindow.h"
#include "frontend/WindowParts.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/Log.h"
#include "core/Messages.h"
#include "core/StringUtils.h"
#include "dialogs/Dialogs.h"
#include "dialogs/ModalBackdrop.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "net/Network.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"
#include "world/GameSettings.h"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>

namespace tvl {

namespace {

constexpr int iconBack = 3, iconConnect = 19, iconNew = 141, iconEdit = 34, iconDelete = 24,
              iconMoveUp = 160, iconMoveDown = 30, iconSave = 175, iconCancel = 10;

sf::Vector2f viewSize()
{
    return kv::renderWindow->getView().getSize();
}

void makeIconButton(kv::Button& button, const std::string& caption, int icon, uint32_t key, sf::Vector2f at)
{
    const kv::sfSprite sprite(kv::Icons::getIcon(icon));
    button.create(caption, &sprite, &at, key, caption, false);
}

void runButton(kv::Button& button)
{
    button.update();
    button.draw();
}

// Shown and logged.
void report(const std::string& text)
{
    kv::printMessage(text);
    kv::writeLog(text);
}

void saveBookmarks(ServerBookmarkFile& file)
{
    report("newClientNetworkGame: Saving server bookmark list");
    if (file.save() == ServerListSave::Saved)
        report("newClientNetworkGame: Server bookmark list saved to " + file.getPath());
}

// The join window's widgets over the bookmark file.
class JoinWindow {
public:
    explicit JoinWindow(ServerBookmarkFile& file) : file(file)
    {
        const sf::Vector2f view = viewSize();
        const sf::Vector2f at((view.x - 400) / 2, (view.y - 400) / 2);
        form.create(at, {400, 400}, "Join Network Game");
        const float lineSpacing = kv::standardFont->getLineSpacing(kv::componentTextSize);
        const float rows = std::floor(240 / std::floor(lineSpacing));
        const float listHeight = rows * (lineSpacing + 1);
        list.create("Server Bookmarks", {at.x + 5, at.y + 50}, {390, listHeight}, *kv::standardFont,
                    kv::componentTextSize);
        // The Move Up and Move Down shortcuts move the selection; the list must not move it too.
        list.keyboard = false;
        makeTextButton(back, "Back", iconBack, sf::Keyboard::Escape, {at.x + 5, at.y + 360});
        makeTextButton(connect, "Connect", iconConnect, sf::Keyboard::Enter, {at.x + 245, at.y + 360});
        const float rowY = at.y + 50 + listHeight + 8;
        kv::Button* tools[] = {&add, &edit, &remove, &moveUp, &moveDown};
        const char* captions[] = {"New Server Bookmark", "Edit Server Bookmark", "Delete Server Bookmark", "Move Up",
                                  "Move Down"};
        const int icons[] = {iconNew, iconEdit, iconDelete, iconMoveUp, iconMoveDown};
        const uint32_t keys[] = {sf::Keyboard::Insert, sf::Keyboard::E, sf::Keyboard::Delete, sf::Keyboard::Up,
                                 sf::Keyboard::Down};
        for (int i = 0; i < 5; i++)
            makeIconButton(*tools[i], captions[i], icons[i], keys[i], {at.x + 5 + 36.0f * static_cast<float>(i), rowY});
        rebuildRows(0);
    }

    // Runs until Back or a played game.
    void run()
    {
        kv::ModalBackdrop backdrop;
        backdrop.capture();
        kv::WindowLog log("Join Network Game");
        log.shown({form.getPosition(), form.getSize()});
        bool done = false;
        while (!done) {
            kv::drawModalBackground(backdrop);
            form.update();
            form.draw();
            list.update();
            list.draw();
            for (kv::Button* button : {&back, &connect, &add, &edit, &remove, &moveUp, &moveDown})
                runButton(*button);
            kv::displayFrame(0);
            // After the frame is shown, so a dialog a button opens dims this window.
            done = act();
        }
    }

private:
    // The bookmark of the selected row, when a bookmark row is selected.
    ServerBookmark* selectedBookmark()
    {
        if (list.selected < 1 || static_cast<std::size_t>(list.selected) > file.bookmarks.size())
            return nullptr;
        return &file.bookmarks[static_cast<std::size_t>(list.selected - 1)];
    }

    // The button that fired this frame; true when the window closes.
    bool act()
    {
        if (back.clicked)
            return true;
        if (add.clicked)
            addBookmark();
        else if (edit.clicked)
            editBookmark();
        else if (remove.clicked)
            removeBookmark();
        else if (moveUp.clicked || moveDown.clicked)
            select(joinRowAfterMove(list.selected, moveUp.clicked ? -1 : 1, file.bookmarks.size()));
        else if (connect.clicked)
            return connectSelected();
        return false;
    }

    void addBookmark()
    {
        if (file.bookmarks.full()) {
            kv::showMessagef("Server bookmarks limit reached (%d max)", static_cast<int>(ServerBookmarkTable::capacity));
            return;
        }
        ServerBookmark bookmark;
        if (!editServerBookmark(bookmark, true))
            return;
        file.bookmarks.add(bookmark);
        saveBookmarks(file);
        rebuildRows(static_cast<int>(file.bookmarks.size()));
    }

    void editBookmark()
    {
        ServerBookmark* bookmark = selectedBookmark();
        if (!bookmark || !editServerBookmark(*bookmark, false))
            return;
        saveBookmarks(file);
        rebuildRows(list.selected);
    }

    void removeBookmark()
    {
        const ServerBookmark* bookmark = selectedBookmark();
        if (!bookmark || kv::showConfirmDialog("Delete " + bookmark->description + "?") != 1)
            return;
        const int row = list.selected;
        file.bookmarks.remove(static_cast<std::size_t>(row - 1));
        saveBookmarks(file);
        rebuildRows(row);
    }

    bool connectSelected()
    {
        if (list.selected == 0) {
            if (kv::showInputDialog(typedHost, "", "Enter Remote Host Address") != 1)
                return false;
            return joinServer(typedHost, chooseConnectPort("", gameSettings.localServerPort));
        }
        const ServerBookmark* bookmark = selectedBookmark();
        return bookmark && joinServer(bookmark->host, chooseConnectPort(bookmark->port, gameSettings.localServerPort));
    }

    // Clearing the list selects row 0; the selection is kept where it was, within the rows.
    void rebuildRows(int selectRow)
    {
        list.clear();
        for (std::size_t row = 0; row <= file.bookmarks.size(); row++)
            list.addItem(joinRowText(file.bookmarks, row), "", "");
        select(joinRowAfterMove(selectRow, 0, file.bookmarks.size()));
    }

    void select(int row)
    {
        list.selected = row;
        list.scrollToSelection();
    }

    ServerBookmarkFile& file;
    std::string typedHost;
    kv::Form form;
    kv::ListBox list;
    kv::Button back, connect, add, edit, remove, moveUp, moveDown;
};

} // namespace

std::string joinRowText(const ServerBookmarkTable& table, std::size_t row)
{
    if (row == 0)
        return quickConnectRow;
    if (row > table.size())
        return "";
    const ServerBookmark& bookmark = table[row - 1];
    return bookmark.description + " (" + bookmark.host + ")";
}

int joinRowAfterMove(int row, int step, std::size_t bookmarkCount)
{
    const long moved = static_cast<long>(row) + step;
    return static_cast<int>(std::clamp(moved, 0L, static_cast<long>(bookmarkCount)));
}

std::string bookmarkProblem(const ServerBookmark& bookmark)
{
    if (bookmark.description.empty())
        return "A description is required!";
    if (bookmark.host.empty())
        return "An IP address or hostname is required!";
    return "";
}

uint16_t chooseConnectPort(const std::string& portText, int32_t localServerPort)
{
    const auto inRange = [](int32_t port) { return port >= 1 && port <= 65535; };
    const int32_t typed = kv::stringToInt(portText);
    if (inRange(typed))
        return static_cast<uint16_t>(typed);
    return static_cast<uint16_t>(inRange(localServerPort) ? localServerPort : GameSettings{}.localServerPort);
}

std::optional<sf::IpAddress> resolveHost(const std::string& host)
{
    const sf::IpAddress address(host);
    if (address == sf::IpAddress::None)
        return std::nullopt;
    return address;
}

bool joinServer(const std::string& host, uint16_t port, std::optional<sf::IpAddress> (*resolve)(const std::string&))
{
    const std::optional<sf::IpAddress> address = resolve(host);
    if (!address) {
        kv::showMessage("Unable to resolve host " + host);
        return false;
    }
    return connectToServer(NetAddress{address, port});
}

bool editServerBookmark(ServerBookmark& bookmark, bool isNew)
{
    if (!frontendWindowOpen())
        return false;
    kv::ModalScope scope;
    const sf::Vector2f view = viewSize();
    const sf::Vector2f at((view.x - 530) / 2, (view.y - 260) / 2);
    kv::Form form;
    const std::string title = isNew ? "New Server Bookmark" : "Edit Server Bookmark";
    form.create(at, {530, 260}, title);
    const ServerBookmark start = isNew ? ServerBookmark{} : bookmark;
    kv::TextBox description, host, port;
    description.createWithCaption(start.description, "Description", at.x + 10, at.y + 60, 350,
                                  maxBookmarkDescription);
    host.createWithCaption(start.host, "Host Address (e.g. 192.168.0.1)", at.x + 10, at.y + 120, 400,
                           maxBookmarkHost);
    port.createWithCaption(start.port, "Server Port (leave blank to use default)", at.x + 10, at.y + 180, 120,
                           maxBookmarkPort);
    if (description.id < kv::maxComponentIds)
        kv::focusedComponentId = static_cast<uint32_t>(description.id);
    kv::Button save, cancel;
    makeTextButton(save, "Save", iconSave, sf::Keyboard::Enter, {at.x + 220, at.y + 220});
    makeTextButton(cancel, "Cancel", iconCancel, sf::Keyboard::Escape, {at.x + 375, at.y + 220});

    kv::ModalBackdrop backdrop;
    backdrop.capture();
    kv::WindowLog log(title);
    log.shown({form.getPosition(), form.getSize()});
    for (;;) {
        kv::drawModalBackground(backdrop);
        form.update();
        form.draw();
        for (kv::TextBox* box : {&description, &host, &port}) {
            box->update();
            box->draw();
        }
        // Cancel first: Save taking its key empties the tick's other presses.
        runButton(cancel);
        runButton(save);
        kv::displayFrame(0);
        if (cancel.clicked)
            return false;
        if (!save.clicked)
            continue;
        // A paste may run past a box's limit, and is cut to it; a field left as it was keeps
        // its whole text, however long the file had it.
        const auto field = [](const std::string& text, const std::string& before, std::size_t cap) {
            return text == before ? before : cutBookmarkField(text, cap);
        };
        const ServerBookmark edited{field(description.edit.text, start.description, maxBookmarkDescription),
                                    field(host.edit.text, start.host, maxBookmarkHost),
                                    field(port.edit.text, start.port, maxBookmarkPort)};
        const std::string problem = bookmarkProblem(edited);
        if (problem.empty()) {
            bookmark = edited;
            return true;
        }
        kv::showMessage(problem);
    }
}

void newClientNetworkGame()
{
    if (!frontendWindowOpen())
        return;
    kv::ModalScope scope;
    dropQueuedEnter();
    ServerBookmarkFile file;
    file.load();
    JoinWindow window(file);
    window.run();
}

} // namespace tvl
