#include "core/SFMLLogStream.h"

#include "core/Log.h"
#include "core/Messages.h"

#include <SFML/System/Err.hpp>

#include <cstdlib>
#include <string>

namespace kv {

SFMLLogStream::SFMLLogStream()
{
    setp(buffer_, buffer_ + bufferSize);
}

SFMLLogStream::~SFMLLogStream()
{
    // Only the framework's live callback may see the rest; at exit it is already detached.
    sync();
    callback_ = nullptr;
}

SFMLLogStream::int_type SFMLLogStream::overflow(int_type c)
{
    if (c != traits_type::eof() && pptr() < epptr()) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }
    sync();
    if (c != traits_type::eof()) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int SFMLLogStream::sync()
{
    size_t count = static_cast<size_t>(pptr() - pbase());
    if (count > 0) {
        if (callback_)
            callback_(pbase(), count);
        setp(buffer_, buffer_ + bufferSize);
    }
    return 0;
}

void handleSFMLText(const char* text, size_t length)
{
    static const std::string tail = "not found in shader";
    std::string all(text, length);
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find('\n', start);
        std::string line = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty()) {
            if (line.size() > tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0)
                writeLog("Warning: SFML: " + line);
            else
                printError("SFML: " + line);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

namespace {

SFMLLogStream& logStream()
{
    static SFMLLogStream stream;
    return stream;
}

std::streambuf* savedBuffer = nullptr;

void restoreAtExit()
{
    // After main the message list may be gone: drop what is left rather than report it.
    logStream().setCallback(nullptr);
    releaseSFMLErrors();
}

} // namespace

void captureSFMLErrors()
{
    static bool hooked = false;
    if (!hooked) {
        // SFML's own static destructors may still write to sf::err() after ours are gone.
        // Both streams are built first: a handler registered before a static is built runs
        // after that static's destructor, and would reach a destroyed stream.
        logStream();
        sf::err();
        std::atexit(restoreAtExit);
        hooked = true;
    }
    if (savedBuffer)
        sf::err().rdbuf(savedBuffer);
    logStream().setCallback(handleSFMLText);
    savedBuffer = sf::err().rdbuf(&logStream());
}

void releaseSFMLErrors()
{
    if (!savedBuffer)
        return;
    sf::err().flush();
    logStream().setCallback(nullptr);
    sf::err().rdbuf(savedBuffer);
    savedBuffer = nullptr;
}

} // namespace kv
