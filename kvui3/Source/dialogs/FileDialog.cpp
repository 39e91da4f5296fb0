#include "dialogs/FileDialog.h"
#include "dialogs/Dialogs.h"
#include "dialogs/ModalBackdrop.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "audio/Audio.h"
#include "core/DirectoryScanner.h"
#include "core/Framework.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Paths.h"
#include "core/Scene.h"
#include "core/StringUtils.h"
#include "core/Theme.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "platform/Ascii.h"
#include "platform/FileSystem.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

constexpr int iconUp = 52;
constexpr int iconOk = 175;
constexpr int iconCancel = 10;
constexpr unsigned nameMaxLength = 256;

bool endsWithSeparator(const std::string& text)
{
    return !text.empty() && isPathSeparator(text.back());
}

std::string withSeparator(std::string folder)
{
    if (!endsWithSeparator(folder))
        folder += '\\';
    return folder;
}

bool hasEntry(const std::vector<FileDialogEntry>& entries, const std::string& name)
{
    return std::any_of(entries.begin(), entries.end(),
                       [&](const FileDialogEntry& e) { return equalsIgnoreCase(e.name, name); });
}

void sortCaseFree(std::vector<FileDialogEntry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const FileDialogEntry& a, const FileDialogEntry& b) {
        return toLowerAscii(a.name) < toLowerAscii(b.name);
    });
}

// The pack key with its tail in the entry's own case, where the two agree.
std::string shownCase(const std::string& key, std::string entryName)
{
    std::replace(entryName.begin(), entryName.end(), '\\', '/');
    if (entryName.size() > key.size() || toLowerAscii(entryName) != key.substr(key.size() - entryName.size()))
        return key;
    return key.substr(0, key.size() - entryName.size()) + entryName;
}

// The first of Up, Down, PageUp and PageDown pressed this tick, taken from the list; noKey when none.
uint32_t takeListKey()
{
    for (auto it = Keyboard::pressedKeys.begin(); it != Keyboard::pressedKeys.end(); ++it) {
        const uint32_t key = *it;
        if (key == sf::Keyboard::Up || key == sf::Keyboard::Down || key == sf::Keyboard::PageUp ||
            key == sf::Keyboard::PageDown) {
            Keyboard::pressedKeys.erase(it);
            return key;
        }
    }
    return Keyboard::noKey;
}

} // namespace

std::vector<FileDialogEntry> listFileDialogFolder(const std::string& folder, const std::vector<std::string>& fileTypes,
                                                  const std::vector<std::pair<std::string, std::string>>& packEntries)
{
    DirectoryScanner scanner;
    for (const std::string& type : fileTypes)
        scanner.addExtension(type);
    std::vector<FileDialogEntry> folders, files;
    if (scanner.scan(folder, 0, false)) {
        for (const DirectoryEntry& entry : scanner.entries) {
            if (entry.isDirectory)
                folders.push_back({entry.name + '\\', 0});
            else
                files.push_back({entry.name, 0});
        }
    }

    // Packs are looked up by keys relative to the working folder, so that is where they show.
    std::string shown = makeRelativeToCurrentFolder(withSeparator(folder));
    std::replace(shown.begin(), shown.end(), '\\', '/');
    shown = toLowerAscii(shown);
    for (const auto& [key, entryName] : packEntries) {
        if (key.size() <= shown.size() || key.compare(0, shown.size(), shown) != 0)
            continue;
        const std::string rest = shownCase(key, entryName).substr(shown.size());
        const size_t slash = rest.find('/');
        if (slash == std::string::npos) {
            if (scanner.matchesExtension(rest) && !hasEntry(files, rest))
                files.push_back({rest, 1});
        } else if (slash > 0) {
            const std::string sub = rest.substr(0, slash) + '\\';
            if (!hasEntry(folders, sub))
                folders.push_back({sub, 1});
        }
    }

    sortCaseFree(folders);
    sortCaseFree(files);
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

std::string fileDialogStatusText(const std::vector<std::string>& fileTypes)
{
    if (fileTypes.empty())
        return "Showing all files";
    std::string text = "Showing:";
    for (const std::string& type : fileTypes)
        text += " *" + type;
    return text;
}

std::string withDefaultExtension(const std::string& name, const std::vector<std::string>& fileTypes)
{
    if (name.find('.') != std::string::npos || fileTypes.empty() || fileTypes.front().empty())
        return name;
    const std::string& type = fileTypes.front();
    return name + (type.front() == '.' ? type : "." + type);
}

bool isFileSystemRoot(const std::string& folder)
{
    return folder == "\\" || folder == "/";
}

FileDialogColumns fileDialogColumns(float x, float width, float widestPlace)
{
    constexpr float margin = 10, gap = 25, leastPlace = 115;
    const float row = width - 2 * margin - gap;
    // The list scrolls sideways once an entry measures more than its width less 3.
    const float place = std::max(leastPlace, std::min(std::ceil(widestPlace) + 4, std::floor(row / 2)));
    FileDialogColumns columns;
    columns.fileWidth = row - place;
    columns.placeX = x + margin + columns.fileWidth + gap;
    columns.placeWidth = place;
    return columns;
}

std::string fitFolderText(const std::string& folder, float maxWidth, const TextMeasure& measure)
{
    if (measure(folder) <= maxWidth)
        return folder;
    const std::string dots = "...";
    for (size_t start = 1; start < folder.size(); ++start) {
        if ((static_cast<unsigned char>(folder[start]) & 0xC0) == 0x80)
            continue;
        std::string shown = dots + folder.substr(start);
        if (measure(shown) <= maxWidth)
            return shown;
    }
    return dots;
}

void FileDialog::create()
{
    if (created)
        destroy();
    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return;
    title = "Select File";
    const sf::Vector2f view = renderWindow->getView().getSize();
    const sf::Font& font = *standardFont;
    const float ls = font.getLineSpacing(componentTextSize);
    width = std::min(view.x, 800.0f);
    height = std::min(view.y, 400.0f);
    x = (view.x - width) / 2;
    y = (view.y - height) / 2;

    const sf::Vector2f upAt(x + 2, y + 4);
    const sfSprite upIcon(Icons::getIcon(iconUp));
    upButton.create("Up", &upIcon, &upAt, Keyboard::noKey, "", false);
    folderTextPosition = {upAt.x + upButton.getWidth() + 8, upAt.y + (upButton.getHeight() - ls) / 2};

    fileNameEdit.create("", {x + 10, 0}, nameMaxLength);
    fileNameEdit.setSize({width - 20, fileNameEdit.getHeight()});

    const sf::Vector2f row(0, y + height - 32 - 10);
    const sfSprite okIcon(Icons::getIcon(iconOk)), cancelIcon(Icons::getIcon(iconCancel));
    okButton.create("Ok", &okIcon, &row, sf::Keyboard::Enter, "", false);
    cancelButton.create("Cancel", &cancelIcon, &row, sf::Keyboard::Escape, "", false);
    okButton.setSize({digitsWidth(font, componentTextSize, 8) + 32, -1});
    cancelButton.setSize({okButton.getWidth(), -1});
    cancelButton.setPosition({x + width - cancelButton.getWidth() - 10, row.y});
    okButton.setPosition({cancelButton.getPosition().x - okButton.getWidth() - 5, row.y});
    fileNameEdit.setPosition({x + 10, okButton.getPosition().y - fileNameEdit.getHeight() - 10});

    const float rowHeight = ls + 1;
    const sf::Vector2f listAt(x + 10, upAt.y + upButton.getHeight() + 4);
    std::vector<std::string> places = fileSystemRoots();
    float widestPlace = 0;
    for (std::string& place : places) {
        std::replace(place.begin(), place.end(), '/', '\\');
        widestPlace = std::max(widestPlace, ListBox::measureText(*standardFont, componentTextSize, place));
    }
    const FileDialogColumns columns = fileDialogColumns(x, width, widestPlace);
    fileList.createWithRows(listAt, columns.fileWidth,
                            static_cast<unsigned>(std::max(1.0f, std::floor(height / rowHeight) - 7)));
    fileList.keyboard = true;
    fileList.hBarAllowed = false;
    driveList.createWithRows({columns.placeX, listAt.y}, columns.placeWidth,
                             static_cast<unsigned>(std::floor(fileList.getHeight() / rowHeight)));
    for (const std::string& place : places)
        driveList.addItem(place, "", place);
    driveList.selected = -1;

    form.create({x, y - (ls + 4)}, {width, height + ls + 4}, title);
    addDefaultExtension = true;
    created = true;
}

void FileDialog::setPath(const std::string& path)
{
    if (path.empty()) {
        startFolder.clear();
        startFileName.clear();
        return;
    }
    const std::string full = getFullPath(path);
    const size_t cut = full.find_last_of("/\\");
    startFileName = cut == std::string::npos ? full : full.substr(cut + 1);
    startFolder = cut == std::string::npos ? std::string() : withSeparator(full.substr(0, cut + 1));
}

void FileDialog::addFileType(const std::string& extension)
{
    fileTypes.push_back(!extension.empty() && extension.front() == '.' ? extension : "." + extension);
}

void FileDialog::addMusicFileTypes()
{
    for (const char* type : {"wav", "ogg", "it", "mod", "s3m", "xm", "mus"})
        addFileType(type);
}

void FileDialog::destroy()
{
    if (!created)
        return;
    title.clear();
    fileList.destroy();
    driveList.destroy();
    fileNameEdit.destroy();
    upButton.destroy();
    okButton.destroy();
    cancelButton.destroy();
    fileTypes.clear();
    created = false;
}

void FileDialog::refresh()
{
    fileList.clear();
    fileList.activated = -1;
    fileList.hScroll = 0;
    fileList.top = 0;
    upButton.enabled = !isFileSystemRoot(currentFolder);
    const auto measure = [](const std::string& text) { return textWidth(*standardFont, componentTextSize, text); };
    shownFolder = fitFolderText(currentFolder, x + width - 10 - folderTextPosition.x, measure);
    for (const FileDialogEntry& entry : listFileDialogFolder(currentFolder, fileTypes, Audio::mountedPackEntries())) {
        fileList.addItem(entry.name, "", "");
        if (entry.fromPack) {
            fileList.items.back().textColour = clFileDialogPakText;
            fileList.items.back().selectedTextColour = clFileDialogPakSelectText;
        }
    }
    fileList.selected = -1;
    shownSelection_ = -1;
}

void FileDialog::setName(const std::string& name)
{
    fileNameEdit.edit = TextEdit{name, fileNameEdit.edit.maxLength};
    fileNameEdit.edit.cursor = static_cast<int32_t>(name.size());
}

void FileDialog::enter(const std::string& row)
{
    currentFolder = withSeparator(joinPath(currentFolder, row));
    refresh();
}

int FileDialog::showModal()
{
    if (!created)
        return 0;
    ModalScope scope;
    const std::string status = fileDialogStatusText(fileTypes);
    currentFolder = withSeparator(startFolder.empty() ? getCurrentFolder() : startFolder);
    setName(startFileName);
    ModalBackdrop backdrop;
    backdrop.capture();
    if (fileNameEdit.id < maxComponentIds)
        focusedComponentId = static_cast<uint32_t>(fileNameEdit.id);
    refresh();
    WindowLog log(title);
    log.shown({form.getPosition(), form.getSize()});

    int result = -1;
    while (result < 0) {
        drawModalBackground(backdrop);
        if (fileList.selected != shownSelection_ && fileList.selected >= 0) {
            const std::string text = fileList.selected < fileList.count() ? fileList.items[fileList.selected].text : "";
            if (!endsWithSeparator(text))
                setName(text);
        }
        shownSelection_ = fileList.selected;

        form.update();
        form.draw();
        drawText(layerUI, folderTextPosition, clFormText, shownFolder, *standardFont, componentTextSize);

        fileList.update();
        fileList.draw();
        if (fileList.activated >= 0 && fileList.activated < fileList.count()) {
            const std::string row = fileList.items[fileList.activated].text;
            if (endsWithSeparator(row)) {
                enter(row);
            } else {
                setName(row);
                result = 1;
            }
        }
        fileList.activated = -1;

        driveList.update();
        driveList.draw();
        if (driveList.activated >= 0 && driveList.activated < driveList.count()) {
            currentFolder = driveList.items[driveList.activated].tag;
            refresh();
        }
        driveList.activated = -1;

        fileNameEdit.update();
        fileNameEdit.draw();
        if (fileNameEdit.focused() && input.focus && takeListKey() != Keyboard::noKey) {
            if (fileList.id < maxComponentIds)
                focusedComponentId = static_cast<uint32_t>(fileList.id);
            if (fileList.count() > 0) {
                fileList.selected = 0;
                fileList.scrollToSelection();
            }
        }

        upButton.update();
        upButton.draw();
        if (upButton.clicked && upButton.enabled) {
            currentFolder = withSeparator(getParentFolder(currentFolder));
            refresh();
        }

        okButton.update();
        okButton.draw();
        if (okButton.clicked && result < 0) {
            const int32_t row = fileList.selected;
            if (row >= 0 && row < fileList.count() && endsWithSeparator(fileList.items[row].text)) {
                enter(fileList.items[row].text);
            } else if (fileNameEdit.edit.text.empty()) {
                showMessage(emptyNameMessage);
            } else {
                result = 1;
            }
        }

        cancelButton.update();
        cancelButton.draw();
        if (cancelButton.clicked && result < 0)
            result = 0;

        drawText(layerUI, {x + 5, y + height - standardFont->getLineSpacing(componentTextSize) - 5}, clFormText, status,
                 *standardFont, componentTextSize);
        displayFrame(0);
    }

    if (addDefaultExtension)
        fileNameEdit.edit.text = withDefaultExtension(fileNameEdit.edit.text, fileTypes);
    SceneManager::zeroDtNextFrame = true;
    return result;
}

} // namespace kv
