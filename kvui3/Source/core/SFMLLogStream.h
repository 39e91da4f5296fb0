#pragma once
// Captures what SFML writes to sf::err() and hands it on line by line.
#include <cstddef>
#include <streambuf>

namespace kv {

class SFMLLogStream : public std::streambuf {
public:
    using LineCallback = void (*)(const char* text, size_t length);

    SFMLLogStream();
    ~SFMLLogStream() override;

    void setCallback(LineCallback callback) { callback_ = callback; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    static constexpr size_t bufferSize = 1024;
    char buffer_[bufferSize];
    LineCallback callback_ = nullptr;
};

// Splits SFML's text into lines: "... not found in shader" lines are only logged as
// warnings, every other non-empty line is shown as an "SFML: " error.
void handleSFMLText(const char* text, size_t length);

// Routes sf::err() into the log stream (once; a second call first restores the old buffer).
void captureSFMLErrors();
// Gives sf::err() its own buffer back and detaches the callback; safe to call repeatedly.
void releaseSFMLErrors();

} // namespace kv
