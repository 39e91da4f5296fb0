#pragma once
// The framework's modal file chooser: the shown folder beside an "Up" button, its folders and
// files (folders first, each group in case-free order, files filtered by type) together with
// the open packs' entries that lie in it, the places to jump to, a file-name box, Ok, Cancel
// and a status line naming the filter. Folders are written in the game's path form, ending
// in "\" ("\home\x\game\base\music\").
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"
#include "ui/WordWrap.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kv {

// One row of a listing: a folder's name ends in "\"; fromPack is 1 for a row found only in a pack.
struct FileDialogEntry {
    std::string name;
    uint32_t fromPack = 0;
};

// The rows for folder (game form, ending in a separator): its sub-folders (not those whose
// name begins with '.') and the files whose extension is one of fileTypes (any case; every
// file when empty), then the pack entries under the same folder. packEntries pair each pack key
// (relative to the working folder, lower case, '/') with the entry's name as stored, which
// gives the case shown, as Audio::mountedPackEntries gives them. A pack entry of the
// folder is a file row unless a disk file has its name (any case); a deeper one adds its first
// folder level below once. Folders come first; each group is stable-sorted by the lower-cased
// names, a prefix first. A folder that cannot be listed gives only its pack rows.
std::vector<FileDialogEntry> listFileDialogFolder(const std::string& folder, const std::vector<std::string>& fileTypes,
                                                  const std::vector<std::pair<std::string, std::string>>& packEntries);

// "Showing all files" without types, else "Showing:" and " *" + each type.
std::string fileDialogStatusText(const std::vector<std::string>& fileTypes);

// name with the first type appended (a '.' in front when missing) when name holds no '.' and
// the first type is not empty; otherwise name.
std::string withDefaultExtension(const std::string& name, const std::vector<std::string>& fileTypes);

// True for the file-system root ("\" or "/"), where Up has nowhere to go.
bool isFileSystemRoot(const std::string& folder);

// The file list and the place list side by side across a dialog at x, width wide (10 in from
// each side, 25 apart): the place list as wide as its widest entry (widestPlace, measured as the
// list measures) needs to show it whole, at least 115 and at most half the row; the file list
// takes the rest.
struct FileDialogColumns {
    float fileWidth = 0;
    float placeX = 0, placeWidth = 0;
};
FileDialogColumns fileDialogColumns(float x, float width, float widestPlace);

// folder as it fits in maxWidth: whole, or "..." and as much of its end as fits (never cut
// inside a UTF-8 sequence).
std::string fitFolderText(const std::string& folder, float maxWidth, const TextMeasure& measure);

class FileDialog {
public:
    static constexpr const char* emptyNameMessage = "Select or enter a filename first";

    float x = 0, y = 0, width = 0, height = 0;
    std::string currentFolder; // the shown folder, ending in "\"
    std::string title;
    std::string startFolder, startFileName;
    Form form;
    ListBox driveList; // each row's tag is its folder
    ListBox fileList;
    Button upButton, okButton, cancelButton;
    TextBox fileNameEdit;
    sf::Vector2f folderTextPosition;
    std::string shownFolder; // currentFolder as written at folderTextPosition, cut to the dialog
    std::vector<std::string> fileTypes; // each beginning with '.'
    bool addDefaultExtension = false;
    bool created = false;

    FileDialog() = default;
    ~FileDialog() { destroy(); }
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    // Lays the dialog out centred in the view (at most 800 x 400) and fills the place list from
    // fileSystemRoots. Without a window nothing is built.
    void create();
    // Where the dialog opens: the absolute form of path split into the folder and the name
    // after its last separator. An empty path opens the working folder with no name.
    void setPath(const std::string& path);
    // Adds a type; a '.' is put in front when missing.
    void addFileType(const std::string& extension);
    // wav, ogg, it, mod, s3m, xm and mus, in this order.
    void addMusicFileTypes();
    // Runs the dialog from startFolder until Ok (1) or Cancel / Escape (0). After 1 the choice
    // is joinPath(currentFolder, fileNameEdit.edit.text), the first type appended to a name
    // without a '.'. Ok with an empty name says emptyNameMessage and stays. 0 when not created.
    int showModal();
    // When created: the widgets are taken down and the types forgotten.
    void destroy();

    // Lists currentFolder into fileList and enables Up unless it is the root; top row shown,
    // nothing selected.
    void refresh();

private:
    // The edit box holds name alone, the caret at its end.
    void setName(const std::string& name);
    // Opens the folder row of the shown folder.
    void enter(const std::string& row);
    int32_t shownSelection_ = -1; // the row whose name the edit box took last

};

} // namespace kv
