#include "core/SFMLLogStream.h"

#include <SFML/System/Err.hpp>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {
std::vector<std::string> received;
void collect(const char* text, size_t length)
{
    received.emplace_back(text, length);
}
} // namespace

TEST(SFMLLogStream, FlushesOnSyncAndWhenFull)
{
    received.clear();
    kv::SFMLLogStream stream;
    stream.setCallback(collect);
    std::ostream out(&stream);
    out << "hello";
    EXPECT_TRUE(received.empty());
    out.flush();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], "hello");

    received.clear();
    out << std::string(1500, 'x');
    ASSERT_GE(received.size(), 1u);
    EXPECT_EQ(received[0].size(), 1024u);
    out.flush();
    size_t total = 0;
    for (auto& r : received)
        total += r.size();
    EXPECT_EQ(total, 1500u);
}

TEST(SFMLLogStream, SplitsLinesAndKeepsShaderWarningsOutOfTheMessages)
{
    // Lines reach the message list as errors; "...not found in shader" only the log.
    testing::internal::CaptureStderr();
    const std::string text = "a\n\nb\nnot found in shader\nUniform \"x\" not found in shader\n";
    kv::handleSFMLText(text.data(), text.size());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Error: SFML: a\n"), std::string::npos);
    EXPECT_NE(err.find("Error: SFML: b\n"), std::string::npos);
    EXPECT_NE(err.find("Error: SFML: not found in shader\n"), std::string::npos);
    EXPECT_NE(err.find("Warning: SFML: Uniform \"x\" not found in shader\n"), std::string::npos);
    EXPECT_EQ(err.find("Error: SFML: Uniform"), std::string::npos);
    EXPECT_EQ(err.find("Error: SFML: \n"), std::string::npos);
}

TEST(SFMLLogStream, TextLeftAtExitIsDroppedNotReported)
{
    // In a child process, so the capture does not outlive this test.
    char path[] = "/tmp/sfmllogXXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(fd, 2);
        kv::captureSFMLErrors();
        sf::err() << "left at exit"; // no line end: still buffered when main returns
        std::exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(fd);
    std::stringstream log;
    log << std::ifstream(path).rdbuf();
    std::remove(path);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(log.str().find("left at exit"), std::string::npos) << log.str();
}
