#pragma once
// Sectioned key=value text files: every settings and definition file of the system.
//
// Format: "[name]" headers; "key=value" lines; lines beginning (in column 1) with '#', ';' or
// '\'' are comments; lines before the first header are ignored. A value that begins with a
// double quote is quoted: two quotes in a row stand for one, a single quote closes it (text
// after it is dropped), and an unclosed one continues over the following lines, joined by line
// feeds. Section and key names match case-insensitively (ASCII) and are written back in their
// own spelling; values are returned exactly. CRLF files and a UTF-8 byte-order mark read like
// plain LF files.
//
// One object serves one file: construct, load (or fill), read or write, destroy.
#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace kv {

class IniFile {
public:
    struct Key {
        uint64_t order = 0; // position in the save order within its section
        std::string name;   // spelling as stored
        std::string value;  // decoded text after load, file form after setValue
    };

    struct Section {
        uint64_t order = 0; // position in the save order
        std::string name;   // spelling first given
        std::string comment;
        std::unordered_map<std::string, Key> keys; // by lower-cased name
        uint64_t nextKeyOrder = 0; // strictly increasing, so the save order has no ties
    };

    // Text of the last failure; empty until something fails.
    std::string lastError;
    // Path of the last successful load or save.
    std::string fileName;
    // setSection selects an existing section of the same name (on by default); when off, it
    // adds a second one, and lookups by that name reach the newest.
    bool reuseSections = true;
    // When on, getColour remembers every colour it returns under its key name (exact case) and
    // accepts such a name as a colour value. The theme reader turns it on.
    bool namedColours = false;

    // Reads the file at a game path into the sections, adding to what the object holds. Lines
    // before the file's first header are ignored. A quoted value still open at the end of the
    // file keeps its opening line's text as a plain value, and the lines after it are read as
    // ordinary lines. False when the file cannot be read: lastError is then
    // "IniFile::load: Unable to read from " + path and nothing else changes.
    bool load(const std::string& path);
    // The same over a file's text already in memory (fileName is left as it is).
    void loadFromText(const std::string& text);

    // Makes a section current, creating it (empty, last in the save order) when no section of
    // that name exists; an existing one keeps its spelling, order, comment and keys.
    void setSection(const std::string& name);

    // The current section's comment, saved as "; " lines; no-op without a current section.
    void setComment(const std::string& text);

    // The stored value of key in the current section, or a shared empty string when there is
    // no current section or no such key. found, when given, tells whether the key exists.
    const std::string& getValue(const std::string& key, bool* found = nullptr) const;

    // Stores value under key in the current section in its file form: quoted (with every
    // double quote doubled) when it begins with a double quote, whitespace or '=' or holds a
    // line feed; a carriage return before a line feed is dropped. A new key goes last in the
    // save order; an existing one keeps its order and spelling. No-op without a current section.
    void setValue(const std::string& key, const std::string& value);

    // Writes every section in creation order: an empty line, "[name]", the comment as "; "
    // lines, then "key=value" lines in key order, through writeWholeFile: a failed save leaves
    // the old file whole, and two processes saving the same file never mix their texts. False
    // when that fails: lastError is then "Unable to write to " + path.
    bool save(const std::string& path);
    // The text save writes.
    std::string saveToText() const;

    // Checks the [info] section (or, when it has no "id", a section named "id") for the
    // given id (case-insensitive) and version 1. The checked section stays current. False
    // with lastError "IniFile::checkHeader: " + one of "Invalid file: ", "No version specified
    // in file: ", "Obselete file version: ", "Advanced file version: " followed by fileName.
    bool checkHeader(const std::string& id);

    // Stores "r,g,b,a" in decimal under key.
    void setColour(const std::string& key, const sf::Color& colour);

    // The colour under key, in any of these notations: "#RRGGBB" or "#RRGGBBAA" (hex pairs;
    // a pair reads its leading hex digits, further characters are ignored), "r, g, b[, a]"
    // (decimal, each cut to its low byte, blanks anywhere), a remembered colour name (with
    // namedColours), or, when the value is empty, the keys key.r, key.g, key.b and optional
    // key.a. defaultColour when none of them applies.
    sf::Color getColour(const std::string& key, const sf::Color& defaultColour);

private:
    std::vector<Section> sections; // creation order
    std::unordered_map<std::string, size_t> sectionIndex; // lower-cased name -> newest section
    size_t current = noSection;
    std::unordered_map<std::string, sf::Color> namedColourMap;
    std::string pendingKey;   // key of a quoted value not closed yet
    std::string pendingValue; // its decoded text so far

    static constexpr size_t noSection = static_cast<size_t>(-1);

    enum class LineResult { nothing, keyValue, opened };
    // Parses one line; keyValue fills key and value, opened fills key and the raw value text
    // (from its opening quote) and leaves the value pending.
    LineResult parseLine(const std::string& line, std::string& key, std::string& value);
    void storeLoadedKey(const std::string& key, const std::string& value);
    void rememberColour(const std::string& key, const sf::Color& colour);
};

} // namespace kv
