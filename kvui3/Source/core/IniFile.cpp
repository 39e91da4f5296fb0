#include "core/IniFile.h"

#include "core/StringUtils.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace kv {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const std::string emptyValue;

// Decodes text after an opening quote (or a continuation line) into out; true when the
// closing quote was found (the rest of the text is dropped).
bool unquote(const std::string& text, size_t start, std::string& out)
{
    for (size_t i = start; i < text.size(); i++) {
        if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                out += '"';
                i++;
                continue;
            }
            return true;
        }
        out += text[i];
    }
    return false;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

int hexPair(const std::string& s, size_t at)
{
    auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        c = static_cast<char>(c | 0x20);
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return 0;
    };
    return digit(s[at]) * 16 + digit(s[at + 1]);
}

sf::Uint8 lowByte(int v)
{
    return static_cast<sf::Uint8>(static_cast<unsigned>(v) & 0xFF);
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
    pending_ = false;
    pendingKey_.clear();
    pendingValue_.clear();
    std::vector<std::string> lines = splitLines(text);
    Section* pendingSection = nullptr;
    size_t pendingLine = 0;

    for (size_t i = 0; i < lines.size(); i++) {
        const std::string& line = lines[i];
        if (!pending_ && !line.empty() && line[0] == '[') {
            std::string name;
            for (char c : line)
                if (c != '[' && c != ']')
                    name += c;
            setSection(name);
            continue;
        }
        if (!current_)
            continue;
        bool wasPending = pending_;
        std::string key, value;
        bool complete = parseLine(line, key, value);
        if (!wasPending && pending_) {
            pendingSection = current_;
            pendingLine = i;
        }
        if (complete && !key.empty())
            storeKey(key, value);

        // A quote still open at the end would swallow every later line: keep the opening
        // line as a plain value and read what follows it again as ordinary lines.
        if (pending_ && i + 1 == lines.size()) {
            pending_ = false;
            pendingKey_.clear();
            pendingValue_.clear();
            current_ = pendingSection;
            const std::string& opening = lines[pendingLine];
            size_t lead = 0;
            while (lead < opening.size() && isSpace(opening[lead]))
                lead++;
            size_t eq = opening.find('=', lead);
            std::string rawKey = opening.substr(lead, eq - lead);
            while (!rawKey.empty() && rawKey.back() == ' ')
                rawKey.pop_back();
            while (!rawKey.empty() && rawKey.back() == '\t')
                rawKey.pop_back();
            size_t v = eq + 1;
            while (v < opening.size() && (isSpace(opening[v]) || opening[v] == '='))
                v++;
            if (!rawKey.empty())
                storeKey(rawKey, opening.substr(v));
            i = pendingLine;
        }
    }
}

bool IniFile::parseLine(const std::string& line, std::string& key, std::string& value)
{
    if (pending_) {
        pendingValue_ += '\n';
        if (unquote(line, 0, pendingValue_)) {
            key = pendingKey_;
            value = pendingValue_;
            pending_ = false;
            pendingKey_.clear();
            pendingValue_.clear();
            return true;
        }
        return false;
    }
    if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '\'')
        return false;
    size_t pos = 0;
    while (pos < line.size() && isSpace(line[pos]))
        pos++;
    if (pos == line.size())
        return false;
    size_t eq = line.find('=', pos);
    key = line.substr(pos, eq == std::string::npos ? std::string::npos : eq - pos);
    while (!key.empty() && key.back() == ' ')
        key.pop_back();
    while (!key.empty() && key.back() == '\t')
        key.pop_back();
    value.clear();
    if (eq == std::string::npos)
        return true;
    size_t v = eq + 1;
    while (v < line.size() && (isSpace(line[v]) || line[v] == '='))
        v++;
    if (v == line.size())
        return true;
    if (line[v] != '"') {
        value = line.substr(v);
        return true;
    }
    std::string decoded;
    if (unquote(line, v + 1, decoded)) {
        value = decoded;
        return true;
    }
    pending_ = true;
    pendingKey_ = key;
    pendingValue_ = decoded;
    return false;
}

void IniFile::storeKey(const std::string& key, const std::string& value)
{
    Key& k = current_->keys[toLowerAscii(key)];
    k.name = key;
    k.value = value;
    k.order = current_->nextKeyOrder++;
}

void IniFile::setSection(const std::string& name)
{
    std::string lower = toLowerAscii(name);
    auto it = sections_.find(lower);
    if (it != sections_.end() && reuseSections) {
        current_ = &it->second;
        return;
    }
    Section& s = sections_[lower];
    s = Section();
    s.order = sections_.size();
    s.name = name;
    current_ = &s;
}

void IniFile::setComment(const std::string& text)
{
    if (current_)
        current_->comment = text;
}

const std::string& IniFile::getValue(const std::string& key, bool* found) const
{
    if (found)
        *found = false;
    if (!current_)
        return emptyValue;
    auto it = current_->keys.find(toLowerAscii(key));
    if (it == current_->keys.end())
        return emptyValue;
    if (found)
        *found = true;
    return it->second.value;
}

void IniFile::setValue(const std::string& key, const std::string& value)
{
    if (!current_)
        return;
    // Leading quotes, blanks and '=' would be lost on reading back, so those values are quoted.
    bool quoted = !value.empty() && (value[0] == '"' || isSpace(value[0]) || value[0] == '=');
    if (value.find('\n') != std::string::npos)
        quoted = true;
    std::string encoded;
    for (size_t i = 0; i < value.size(); i++) {
        char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
            continue;
        if (c == '"' && quoted)
            encoded += '"';
        encoded += c;
    }
    if (quoted)
        encoded = '"' + encoded + '"';

    std::string lower = toLowerAscii(key);
    auto it = current_->keys.find(lower);
    if (it != current_->keys.end()) {
        it->second.value = encoded;
        return;
    }
    Key& k = current_->keys[lower];
    k.name = key;
    k.value = encoded;
    k.order = current_->nextKeyOrder++;
}

std::string IniFile::saveToText() const
{
    std::vector<const Section*> ordered;
    for (const auto& entry : sections_)
        ordered.push_back(&entry.second);
    std::sort(ordered.begin(), ordered.end(), [](const Section* a, const Section* b) { return a->order < b->order; });

    std::string out;
    for (const Section* s : ordered) {
        out += "\n[" + s->name + "]\n";
        if (!s->comment.empty())
            out += "; " + replaceAll(s->comment, "\n", "\n; ") + "\n";
        std::vector<const Key*> keys;
        for (const auto& entry : s->keys)
            keys.push_back(&entry.second);
        std::sort(keys.begin(), keys.end(), [](const Key* a, const Key* b) { return a->order < b->order; });
        for (const Key* k : keys)
            out += k->name + "=" + k->value + "\n";
    }
    return out;
}

bool IniFile::save(const std::string& path)
{
    std::string target = resolvePath(path);
    std::string temporary = target + ".tmp";
    std::string text = saveToText();
    FILE* f = std::fopen(temporary.c_str(), "wb");
    bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (f)
        ok = (std::fclose(f) == 0) && ok;
    if (ok)
        ok = std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        std::remove(temporary.c_str());
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
    const std::string& v = getValue("version");
    int version = v.empty() ? -1 : stringToInt(v);
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

void IniFile::setColour(const std::string& key, const sf::Color& c)
{
    setValue(key, std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
                      std::to_string(c.a));
}

void IniFile::rememberColour(const std::string& key, const sf::Color& colour)
{
    if (namedColours && !key.empty())
        namedColourMap_[key] = colour;
}

sf::Color IniFile::getColour(const std::string& key, const sf::Color& defaultColour)
{
    const std::string& v = getValue(key);
    sf::Color result = defaultColour;
    if (v.empty()) {
        const std::string& r = getValue(key + ".r");
        const std::string& g = getValue(key + ".g");
        const std::string& b = getValue(key + ".b");
        if (!r.empty() && !g.empty() && !b.empty()) {
            const std::string& a = getValue(key + ".a");
            result = sf::Color(lowByte(stringToInt(r)), lowByte(stringToInt(g)), lowByte(stringToInt(b)),
                               a.empty() ? 255 : lowByte(stringToInt(a)));
        }
        rememberColour(key, result);
        return result;
    }
    if (namedColours && !key.empty()) {
        auto it = namedColourMap_.find(v);
        if (it != namedColourMap_.end()) {
            sf::Color named = it->second;
            namedColourMap_[key] = named;
            return named;
        }
    }
    if (v.size() >= 7 && v[0] == '#') {
        std::string hex = v.substr(1);
        if (hex.size() >= 8)
            result = sf::Color(lowByte(hexPair(hex, 0)), lowByte(hexPair(hex, 2)), lowByte(hexPair(hex, 4)),
                               lowByte(hexPair(hex, 6)));
        else
            result = sf::Color(lowByte(hexPair(hex, 0)), lowByte(hexPair(hex, 2)), lowByte(hexPair(hex, 4)));
    } else {
        std::vector<std::string> parts;
        splitString(v, ',', parts, true);
        if (parts.size() >= 4)
            result = sf::Color(lowByte(stringToInt(parts[0])), lowByte(stringToInt(parts[1])),
                               lowByte(stringToInt(parts[2])), lowByte(stringToInt(parts[3])));
        else if (parts.size() == 3)
            result = sf::Color(lowByte(stringToInt(parts[0])), lowByte(stringToInt(parts[1])),
                               lowByte(stringToInt(parts[2])));
    }
    rememberColour(key, result);
    return result;
}

} // namespace kv
