#include "core/Framework.h"
#include "graphics/MessageDisplay.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "support/Display.h"
#include "support/TestWindow.h"
#include "ui/Console.h"

#include <gtest/gtest.h>

namespace {
void openWindow()
{
    ASSERT_NO_FATAL_FAILURE(kv::test::openTestWindow(800, 600));
    kv::messageList.clear();
    kv::consoleLines.clear();
    kv::Console::attachToMessages();
}
} // namespace

TEST(Messages, SplitsLinesCapsTheListAndEchoesToTheConsole)
{
    REQUIRE_DISPLAY();
    openWindow();
    kv::printMessage("one\r\ntwo\n\nthree");
    ASSERT_EQ(kv::messageList.size(), 3u);
    EXPECT_EQ(kv::messageList[0].text, "one");
    EXPECT_EQ(kv::messageList[2].text, "three");
    // Plain white (alpha ignored) is echoed in black; other colours as they are.
    kv::printMessage("faint", sf::Color(255, 255, 255, 0));
    EXPECT_EQ(kv::consoleLines.back().colour, sf::Color(0, 0, 0, 255));
    testing::internal::CaptureStderr();
    kv::printError("broken");
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(kv::messageList.back().text, "broken");
    EXPECT_EQ(kv::messageList.back().colour, kv::clMessageError);
    EXPECT_EQ(kv::consoleLines.back().colour, kv::clMessageError);
    EXPECT_NE(log.find("Error: broken"), std::string::npos);

    for (int i = 0; i < 20; i++)
        kv::printMessage("line " + std::to_string(i));
    EXPECT_EQ(kv::messageList.size(), 11u);
    EXPECT_EQ(kv::messageList.front().text, "line 9");
    EXPECT_EQ(kv::messageList.back().text, "line 19");
    kv::renderWindow->close();
}

TEST(Messages, AgeOnSecondChangesAndLayOutUpwards)
{
    REQUIRE_DISPLAY();
    openWindow();
    kv::printMessage("old");
    kv::printMessage("new");
    uint32_t second = kv::messageList[0].lastSecond;
    kv::ageMessages(second); // the same second: no ageing
    EXPECT_EQ(kv::messageList[0].age, 0u);
    for (uint32_t i = 1; i <= 10; i++)
        kv::ageMessages((second + i) % 60);
    EXPECT_EQ(kv::messageList.size(), 2u);
    kv::ageMessages((second + 11) % 60);
    EXPECT_TRUE(kv::messageList.empty());

    kv::setMessagesOrigin();
    kv::printMessage("a");
    kv::printMessage("b");
    kv::layoutMessages(20);
    float y0 = kv::messageList[0].textObject.getPosition().y;
    float y1 = kv::messageList[1].textObject.getPosition().y;
    EXPECT_FLOAT_EQ(y1 - y0, 20);
    kv::renderWindow->close();
}

TEST(Messages, NothingIsShownWithoutAWindowButTheLogKeepsIt)
{
    kv::messageList.clear();
    testing::internal::CaptureStderr();
    kv::printWarning("early");
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(kv::messageList.empty());
    EXPECT_NE(log.find("Warning: early"), std::string::npos);
}

TEST(Messages, LayoutKeepsEachLinesTextFromWhenItWasPrinted)
{
    REQUIRE_DISPLAY();
    openWindow();
    kv::printMessage("caf\xC3\xA9 open");
    // Ready before any layout, so laying out every tick converts nothing.
    EXPECT_EQ(kv::messageList.back().textObject.getString(), sf::String(L"caf\u00e9 open"));
    kv::layoutMessages(20);
    EXPECT_EQ(kv::messageList.back().textObject.getString(), sf::String(L"caf\u00e9 open"));
    kv::renderWindow->close();
}
