#pragma once
// Questions about text a test captured (a log, a file).
#include <string>

namespace testsupport {

// How often part occurs in text, overlapping occurrences included.
inline int countOf(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace testsupport
