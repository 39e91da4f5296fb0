#pragma once
// Sectioned key=value text files: the framework's settings, the theme and every definition file
// of the game. Section and key names match without regard to case and are written back in
// their own spelling, in the order they were created.
#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <string>
#include <unordered_map>

namespace kv {

class IniFile {
public:
    struct Key {
        uint64_t order = 0;
        std::string name;
        std::string value; // decoded after load, file form after setValue
    };
    struct Section {
        uint64_t order = 0;
        std::string name;
        std::string comment;
        std::unordered_map<std::string, Key> keys; // by lower-cased name
        uint64_t nextKeyOrder = 0;
    };

    std::string lastError;
    std::string fileName;
    bool reuseSections = true;
    bool namedColours = false;

    // Reads a file into the sections (adding to what is held). False, with lastError
    // "IniFile::load: Unable to read from <path>", when it cannot be read.
    bool load(const std::string& path);
    // The same over text already in memory (CRLF and a UTF-8 byte-order mark read as plain LF).
    void loadFromText(const std::string& text);

    // Makes a section current, creating it when missing (matched case-insensitively).
    void setSection(const std::string& name);
    // Sets the current section's comment; each of its lines is saved behind "; ".
    void setComment(const std::string& text);
    // The stored value of key in the current section, or a shared empty string.
    const std::string& getValue(const std::string& key, bool* found = nullptr) const;
    // Stores value in its file form (quoted when it begins with a quote, whitespace or '=',
    // or holds a line feed). No-op without a current section.
    void setValue(const std::string& key, const std::string& value);

    // Writes every section in creation order, through a temporary file renamed over the
    // target so that a failed write never leaves a truncated file. False, with lastError
    // "Unable to write to <path>", when it cannot be written.
    bool save(const std::string& path);
    std::string saveToText() const;

    // Checks the [info] id (case-insensitive) and version (exactly 1); lastError on failure.
    bool checkHeader(const std::string& id);

    void setColour(const std::string& key, const sf::Color& colour);
    // "#RRGGBB", "#RRGGBBAA", "r, g, b[, a]", key.r/.g/.b[/.a], or a remembered colour name.
    sf::Color getColour(const std::string& key, const sf::Color& defaultColour);

private:
    void storeKey(const std::string& key, const std::string& value);
    // Parses one line; true with key and value when the line completes a key.
    bool parseLine(const std::string& line, std::string& key, std::string& value);
    void rememberColour(const std::string& key, const sf::Color& colour);

    Section* current_ = nullptr;
    std::unordered_map<std::string, Section> sections_; // by lower-cased name
    std::unordered_map<std::string, sf::Color> namedColourMap_;
    std::string pendingKey_;
    std::string pendingValue_;
    bool pending_ = false;
};

} // namespace kv
