#include "core/IniFile.h"

#include "core/StringUtils.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace kv {

namespace {

// The classic whitespace set, whatever the environment's locale says.
bool isIniSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Decodes the text of a quoted value from pos: doubled quotes become one, a single quote
// closes the value (the rest is dropped). Returns whether the closing quote was found.
bool unquote(const std::string& text, size_t pos, std::string& out)
{
    for (size_t i = pos; i < text.size(); ++i) {
        if (text[i] != '"') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            out += '"';
            ++i;
        } else {
            return true;
        }
    }
    return false;
}

// The file form of a value (see setValue).
std::string encodeValue(const std::string& value)
{
    bool quoted = value.find('\n') != std::string::npos ||
                  (!value.empty() && (value[0] == '"' || value[0] == '=' || isIniSpace(value[0])));
    std::string out;
    out.reserve(value.size() + 2);
    if (quoted)
        out += '"';
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
            continue;
        out += c;
        if (c == '"' && quoted)
            out += '"';
    }
    if (quoted)
        out += '"';
    return out;
}

// Leading hex digits of a two-character pair, 0 when there are none.
uint8_t hexPair(const std::string& text, size_t pos)
{
    unsigned value = 0;
    for (size_t i = pos; i < pos + 2 && i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = value * 16 + digit;
    }
    return static_cast<uint8_t>(value);
}

uint8_t lowByte(const std::string& text)
{
    return static_cast<uint8_t>(stringToInt(text));
}

const std::string& emptyString()
{
    static const std::string empty;
    return empty;
}

} // namespace

bool IniFile::load(const std::string& path)
{
    std::string text;
    if (!readWholeFile(path, text)) {
        lastError = "IniFile::load: Unable to read from " + path;
        return false;
    }
    loadFromText(text);
    fileName = path;
    return true;
}

void IniFile::loadFromText(const std::string& text)
{
    pendingKey.clear();
    pendingValue.clear();
    size_t start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    std::vector<std::string> lines;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t len = end - start;
        if (len > 0 && text[end - 1] == '\r')
            --len;
        lines.emplace_back(text, start, len);
        start = end + 1;
    }

    bool seenHeader = false;
    size_t openLine = 0;
    std::string openKey, openRaw;
    std::string key, value;
    for (size_t i = 0;; ++i) {
        if (i == lines.size()) {
            if (pendingKey.empty())
                break;
            // A quote left open to the end would swallow the rest of the file: keep the
            // opening line's text as it stands and read what followed as ordinary lines.
            // Those lines cannot open another value that runs to the end, so this happens
            // at most once per opening line and the whole pass stays linear.
            pendingKey.clear();
            pendingValue.clear();
            storeLoadedKey(openKey, openRaw);
            i = openLine;
            continue;
        }
        const std::string& line = lines[i];
        if (pendingKey.empty() && !line.empty() && line[0] == '[') {
            std::string name;
            for (char c : line)
                if (c != '[' && c != ']')
                    name += c;
            setSection(name);
            seenHeader = true;
            continue;
        }
        if (!seenHeader)
            continue;
        switch (parseLine(line, key, value)) {
        case LineResult::nothing:
            break;
        case LineResult::keyValue:
            storeLoadedKey(key, value);
            break;
        case LineResult::opened:
            openLine = i;
            openKey = key;
            openRaw = value;
            break;
        }
    }
}

IniFile::LineResult IniFile::parseLine(const std::string& line, std::string& key,
                                       std::string& value)
{
    if (!pendingKey.empty()) {
        pendingValue += '\n';
        if (!unquote(line, 0, pendingValue))
            return LineResult::nothing;
        key = std::move(pendingKey);
        value = std::move(pendingValue);
        pendingKey.clear();
        pendingValue.clear();
        return LineResult::keyValue;
    }
    if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '\'')
        return LineResult::nothing;

    size_t pos = 0;
    while (pos < line.size() && isIniSpace(line[pos]))
        ++pos;
    if (pos == line.size())
        return LineResult::nothing;

    size_t equals = line.find('=', pos);
    key.assign(line, pos, equals == std::string::npos ? std::string::npos : equals - pos);
    while (!key.empty() && key.back() == ' ')
        key.pop_back();
    while (!key.empty() && key.back() == '\t')
        key.pop_back();
    value.clear();
    if (equals == std::string::npos)
        return LineResult::keyValue;

    pos = equals + 1;
    while (pos < line.size() && (isIniSpace(line[pos]) || line[pos] == '='))
        ++pos;
    if (pos == line.size() || line[pos] != '"') {
        value.assign(line, pos);
        return LineResult::keyValue;
    }

    std::string decoded;
    if (unquote(line, pos + 1, decoded)) {
        value = std::move(decoded);
        return LineResult::keyValue;
    }
    // An empty key never pends: the value is dropped and the next line stands alone.
    if (key.empty())
        return LineResult::nothing;
    pendingKey = key;
    pendingValue = std::move(decoded);
    value.assign(line, pos);
    return LineResult::opened;
}

void IniFile::storeLoadedKey(const std::string& key, const std::string& value)
{
    if (key.empty() || current == noSection)
        return;
    Section& section = sections[current];
    Key& stored = section.keys[toLowerAscii(key)];
    stored.name = key;
    stored.value = value;
    // A repeated key takes the later value and moves to the end of the save order.
    stored.order = section.nextKeyOrder++;
}

void IniFile::setSection(const std::string& name)
{
    std::string lower = toLowerAscii(name);
    if (reuseSections) {
        auto found = sectionIndex.find(lower);
        if (found != sectionIndex.end()) {
            current = found->second;
            return;
        }
    }
    Section section;
    section.order = sections.size() + 1;
    section.name = name;
    sections.push_back(std::move(section));
    current = sections.size() - 1;
    sectionIndex[lower] = current;
}

void IniFile::setComment(const std::string& text)
{
    if (current != noSection)
        sections[current].comment = text;
}

const std::string& IniFile::getValue(const std::string& key, bool* found) const
{
    if (found)
        *found = false;
    if (current == noSection)
        return emptyString();
    const Section& section = sections[current];
    auto it = section.keys.find(toLowerAscii(key));
    if (it == section.keys.end())
        return emptyString();
    if (found)
        *found = true;
    return it->second.value;
}

void IniFile::setValue(const std::string& key, const std::string& value)
{
    if (current == noSection)
        return;
    Section& section = sections[current];
    auto [it, added] = section.keys.try_emplace(toLowerAscii(key));
    if (added) {
        it->second.name = key;
        it->second.order = section.nextKeyOrder++;
    }
    it->second.value = encodeValue(value);
}

std::string IniFile::saveToText() const
{
    std::string text;
    std::vector<const Key*> keys;
    for (const Section& section : sections) {
        text += "\n[";
        text += section.name;
        text += "]\n";
        if (!section.comment.empty()) {
            text += "; ";
            text += replaceAll(section.comment, "\n", "\n; ");
            text += '\n';
        }
        keys.clear();
        for (const auto& entry : section.keys)
            keys.push_back(&entry.second);
        std::sort(keys.begin(), keys.end(),
                  [](const Key* a, const Key* b) { return a->order < b->order; });
        for (const Key* key : keys) {
            text += key->name;
            text += '=';
            text += key->value;
            text += '\n';
        }
    }
    return text;
}

bool IniFile::save(const std::string& path)
{
    const std::string text = saveToText();
    if (!writeWholeFile(path, text.data(), text.size())) {
        lastError = "Unable to write to " + path;
        return false;
    }
    fileName = path;
    return true;
}

bool IniFile::checkHeader(const std::string& id)
{
    setSection("info");
    if (getValue("id").empty())
        setSection("id");
    if (!equalsIgnoreCase(getValue("id"), id)) {
        lastError = "IniFile::checkHeader: Invalid file: " + fileName;
        return false;
    }
    const std::string& versionText = getValue("version");
    int version = versionText.empty() ? -1 : stringToInt(versionText);
    if (version == -1) {
        lastError = "IniFile::checkHeader: No version specified in file: " + fileName;
        return false;
    }
    if (version < 1) {
        lastError = "IniFile::checkHeader: Obselete file version: " + fileName;
        return false;
    }
    if (version > 1) {
        lastError = "IniFile::checkHeader: Advanced file version: " + fileName;
        return false;
    }
    return true;
}

void IniFile::setColour(const std::string& key, const sf::Color& colour)
{
    setValue(key, formatString("%d,%d,%d,%d", colour.r, colour.g, colour.b, colour.a));
}

sf::Color IniFile::getColour(const std::string& key, const sf::Color& defaultColour)
{
    const std::string& value = getValue(key);
    sf::Color colour = defaultColour;
    if (value.empty()) {
        const std::string& r = getValue(key + ".r");
        const std::string& g = getValue(key + ".g");
        const std::string& b = getValue(key + ".b");
        if (!r.empty() && !g.empty() && !b.empty()) {
            const std::string& a = getValue(key + ".a");
            colour = sf::Color(lowByte(r), lowByte(g), lowByte(b), a.empty() ? 255 : lowByte(a));
        }
    } else {
        if (namedColours && !key.empty()) {
            auto named = namedColourMap.find(value);
            if (named != namedColourMap.end()) {
                sf::Color found = named->second;
                rememberColour(key, found);
                return found;
            }
        }
        if (value.size() >= 7 && value[0] == '#') {
            // At least six hex digits follow the number sign here.
            colour = sf::Color(hexPair(value, 1), hexPair(value, 3), hexPair(value, 5),
                               value.size() >= 9 ? hexPair(value, 7) : 255);
        } else {
            std::vector<std::string> parts;
            splitString(value, ',', parts, true);
            if (parts.size() >= 3)
                colour = sf::Color(lowByte(parts[0]), lowByte(parts[1]), lowByte(parts[2]),
                                   parts.size() >= 4 ? lowByte(parts[3]) : 255);
        }
    }
    if (namedColours && !key.empty())
        rememberColour(key, colour);
    return colour;
}

void IniFile::rememberColour(const std::string& key, const sf::Color& colour)
{
    namedColourMap[key] = colour;
}

} // namespace kv
