#pragma once
// Small string conversions shared by every text reader and writer. All of them are
// locale-free: numbers read and write with '.' whatever the environment says.
#include "platform/Ascii.h"

#include <string>
#include <vector>

namespace kv {

// printf-style formatting; output of any length (sized by a first vsnprintf pass).
std::string formatString(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A copy of text with every occurrence of from replaced by to. The search goes on after the
// inserted text, so a replacement is never rescanned. An empty from returns text unchanged.
std::string replaceAll(const std::string& text, const std::string& from, const std::string& to);

// Fixed notation, no decimals, rounded to the nearest whole number ("3" for 2.5f rounds half away).
std::string floatToRoundedString(float value);

// General notation with (length of floatToRoundedString(value) + 6) significant digits:
// "0.1" for 0.1f, "2" for 2.0f. The ini writers use it for floats.
std::string floatToString(float value);

// Splits at each delimiter: an empty text gives one empty piece, a trailing delimiter a final
// empty piece. With removeWhitespace every whitespace byte is deleted from each piece.
void splitString(const std::string& text, char delimiter, std::vector<std::string>& out,
                 bool removeWhitespace);

// Leading decimal number (leading blanks allowed, trailing text ignored); 0 for an empty text,
// a text without a number, or a number outside the 32-bit range.
int stringToInt(const std::string& text);

// The same for a float; 0 in the same cases (and for a value outside float's range).
float stringToFloat(const std::string& text);

// ASCII-only helpers (the char fold and equalsIgnoreCase are platform/Ascii.h's).
std::string toLowerAscii(std::string text);
bool startsWithIgnoreCase(const std::string& text, const std::string& prefix);

} // namespace kv
