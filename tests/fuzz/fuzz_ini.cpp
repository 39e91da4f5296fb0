// The ini reader over arbitrary bytes: every name the text uses is looked up as a value and
// as a colour, the header is checked, and the saved text is read again. Then the writer's
// round trip: values taken from the input come back unchanged through save and load.
#include "core/IniFile.h"

#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Carriage returns are the one thing a round trip may change (CRLF files read as LF).
std::string withoutCarriageReturns(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n\v\f";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void probeNames(kv::IniFile& ini, const std::string& text)
{
    const sf::Color fallback(1, 2, 3, 4);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            std::string name;
            for (char c : line)
                if (c != '[' && c != ']')
                    name += c;
            ini.setSection(trimmed(name));
            continue;
        }
        std::string key = trimmed(line.substr(0, line.find('=')));
        bool found = false;
        const std::string& value = ini.getValue(key, &found);
        if (!found && !value.empty())
            std::abort();
        ini.getColour(key, fallback);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    kv::IniFile ini;
    ini.loadFromText(text);
    ini.namedColours = true;
    probeNames(ini, text);
    ini.checkHeader("TVL Map List");
    kv::IniFile reread;
    reread.loadFromText(ini.saveToText());

    const std::string values[] = {text, text.substr(0, size / 2), text.substr(size / 2)};
    kv::IniFile written;
    written.setSection("round trip");
    written.setComment(text.substr(0, size / 3));
    for (size_t i = 0; i < 3; ++i)
        written.setValue("value" + std::to_string(i), values[i]);
    const sf::Color colour(static_cast<sf::Uint8>(size), 1, 2, 3);
    written.setColour("colour", colour);

    kv::IniFile back;
    back.loadFromText(written.saveToText());
    back.setSection("ROUND TRIP");
    for (size_t i = 0; i < 3; ++i) {
        bool found = false;
        const std::string& value = back.getValue("value" + std::to_string(i), &found);
        if (!found || withoutCarriageReturns(value) != withoutCarriageReturns(values[i]))
            std::abort();
    }
    if (back.getColour("colour", sf::Color::Transparent) != colour)
        std::abort();
    return 0;
}
