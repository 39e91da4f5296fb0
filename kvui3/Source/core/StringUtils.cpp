#include "core/StringUtils.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kv {

std::string formatString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (needed > 0) {
        out.resize(static_cast<size_t>(needed));
        std::vsnprintf(out.data(), out.size() + 1, format, args);
    }
    va_end(args);
    return out;
}

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (true) {
        size_t hit = text.find(from, pos);
        if (hit == std::string::npos)
            break;
        out.append(text, pos, hit - pos);
        out += to;
        pos = hit + from.size();
    }
    out.append(text, pos, std::string::npos);
    return out;
}

std::string floatToRoundedString(float value)
{
    // Adding +0 turns a rounded -0 into 0, so -0.4 reads "0" rather than "-0".
    float rounded = std::round(value) + 0.0f;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 0);
    return std::string(buf, res.ptr);
}

std::string floatToString(float value)
{
    int digits = static_cast<int>(floatToRoundedString(value).size()) + 6;
    char buf[128];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
    if (res.ec != std::errc())
        return "0";
    return std::string(buf, res.ptr);
}

static bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void splitString(const std::string& text, char delimiter, std::vector<std::string>& out,
                 bool removeWhitespace)
{
    out.clear();
    size_t start = 0;
    while (true) {
        size_t hit = text.find(delimiter, start);
        std::string piece = text.substr(start, hit == std::string::npos ? std::string::npos : hit - start);
        if (removeWhitespace) {
            std::string kept;
            for (char c : piece)
                if (!isBlank(c))
                    kept += c;
            piece.swap(kept);
        }
        out.push_back(std::move(piece));
        if (hit == std::string::npos)
            break;
        start = hit + 1;
    }
}

int stringToInt(const std::string& text)
{
    const char* s = text.c_str();
    while (isBlank(*s))
        s++;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s, &end, 10);
    if (end == s || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return 0;
    return static_cast<int>(v);
}

float stringToFloat(const std::string& text)
{
    const char* s = text.c_str();
    while (isBlank(*s))
        s++;
    // from_chars takes no '+' of its own; skip one, but not in front of a '-'.
    if (*s == '+' && s[1] != '-')
        s++;
    float v = 0.0f;
    auto res = std::from_chars(s, s + std::strlen(s), v, std::chars_format::general);
    if (res.ec != std::errc() || !std::isfinite(v))
        return 0.0f;
    return v;
}

std::string toLowerAscii(std::string text)
{
    for (char& c : text)
        c = toLowerAscii(c);
    return text;
}

bool startsWithIgnoreCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); i++)
        if (toLowerAscii(text[i]) != toLowerAscii(prefix[i]))
            return false;
    return true;
}

} // namespace kv
