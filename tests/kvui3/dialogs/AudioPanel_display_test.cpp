// The Audio Panel in a real window over OpenAL Soft's null driver, worked through the
// framework's input: keys, clicks and a drag.
#include "audio/Audio.h"
#include "core/Messages.h"
#include "core/Paths.h"
#include "core/Scene.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "dialogs/AudioPanelModal.h"
#include "support/AudioFixtures.h"
#include "support/Display.h"

#include "support/UiTestSupport.h"
#include "support/DialogScript.h"

#include <SFML/Audio/SoundStream.hpp>
#include <SFML/System/Err.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace kv;
using test::DialogScript;

namespace {

namespace fs = std::filesystem;

constexpr float panelLeft = (1024 - 630) / 2, panelTop = (768 - 470) / 2;

sf::SoundStream& music()
{
    return Audio::currentMusic();
}
float offset()
{
    return music().getPlayingOffset().asSeconds();
}

// A window, the audio service, and a 10 s WAV in a scratch folder.
class AudioPanelDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_NO_FATAL_FAILURE(test::openWidgetWindow());
        Keyboard::buildKeyNames();
        ASSERT_TRUE(Audio::init());
        folder = fs::temp_directory_path() / ("audiopanel" + std::to_string(::getpid()));
        fs::create_directories(folder);
        wav = (folder / "ten.wav").string();
        std::ofstream(wav, std::ios::binary) << testsupport::makeSineWav(80000, 8000);
        clearPathCache();
        AudioPanel::build();
        SceneManager::zeroDtNextFrame = false;
    }
    void TearDown() override
    {
        Audio::stopAll();
        Audio::shutdown();
        settings = saved;
        InputHooks::reset();
        fs::remove_all(folder);
        test::closeTestWindow();
    }
    // Plays the WAV, at seconds in, paused there so the offset holds still.
    void playAt(float seconds)
    {
        ASSERT_TRUE(Audio::playMusic(wav, 0));
        music().pause();
        music().setPlayingOffset(sf::seconds(seconds));
    }

    test::FakeInput fake;
    FrameworkSettings saved = settings;
    fs::path folder;
    std::string wav;
};

TEST_F(AudioPanelDisplay, WithoutMusicTheDisplayAsksForAFileAndPlayDoesNothing)
{
    DialogScript script;
    script.press(4, sf::Keyboard::Space);
    script.press(10, sf::Keyboard::Escape);
    std::ostringstream sfmlErrors;
    std::streambuf* const errors = sf::err().rdbuf(sfmlErrors.rdbuf());
    AudioPanel::showModal();
    sf::err().rdbuf(errors);
    EXPECT_EQ(sfmlErrors.str(), "") << "Play on a stream never opened";
    EXPECT_EQ(AudioPanel::timeLine().substr(0, 4), AudioPanel::noTimeText);
    EXPECT_EQ(AudioPanel::stateLine(), AudioPanel::noMusicText);
    EXPECT_EQ(music().getStatus(), sf::SoundSource::Stopped);
    EXPECT_TRUE(SceneManager::zeroDtNextFrame);
}

TEST_F(AudioPanelDisplay, TransportKeysSkipPauseResumeAndStop)
{
    ASSERT_NO_FATAL_FAILURE(playAt(3));
    float afterBack = -1, afterForward = -1, afterClamp = -1, afterResume = -1;
    sf::SoundSource::Status afterPause = sf::SoundSource::Stopped, afterTwice = sf::SoundSource::Stopped;
    DialogScript script;
    script.press(4, sf::Keyboard::Left);
    script.at(8, [&](DialogScript&) { afterBack = offset(); });
    script.press(10, sf::Keyboard::Right);
    script.at(14, [&](DialogScript&) {
        afterForward = offset();
        music().setPlayingOffset(sf::seconds(8));
    });
    script.press(16, sf::Keyboard::Right);
    script.at(20, [&](DialogScript&) {
        afterClamp = offset();
        music().play();
    });
    script.press(22, sf::Keyboard::P);
    script.at(26, [&](DialogScript&) {
        afterPause = music().getStatus();
        music().setPlayingOffset(sf::seconds(4));
    });
    script.press(28, sf::Keyboard::Space); // while paused: resumes where it was
    script.at(32, [&](DialogScript&) { afterResume = offset(); });
    script.press(34, sf::Keyboard::P);
    script.press(38, sf::Keyboard::P);
    script.at(42, [&](DialogScript&) { afterTwice = music().getStatus(); });
    script.press(44, sf::Keyboard::S);
    script.press(50, sf::Keyboard::F5);
    AudioPanel::showModal();

    EXPECT_NEAR(afterBack, 0, 0.3);
    EXPECT_NEAR(afterForward, 5, 0.3);
    EXPECT_LE(afterClamp, 10.0f) << "skipped past the end"; // at the end the looping track may wrap to 0
    EXPECT_EQ(afterPause, sf::SoundSource::Paused);
    EXPECT_GE(afterResume, 3.9f);
    EXPECT_EQ(afterTwice, sf::SoundSource::Playing);
    EXPECT_EQ(music().getStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(Audio::currentMusicPath, "");
    EXPECT_EQ(Audio::currentMusicName, "");
    EXPECT_EQ(AudioPanel::stateLine(), AudioPanel::noMusicText);
}

TEST_F(AudioPanelDisplay, DefaultsAskFirst)
{
    defaultSoundVolume = 90;
    defaultMusicVolume = 18;
    settings.globalVolume = 40;
    settings.soundVolume = 11;
    settings.musicVolume = 12;
    int soundAfterNo = -1;
    DialogScript script;
    script.press(4, sf::Keyboard::D);
    script.press(14, sf::Keyboard::Escape); // No
    script.at(20, [&](DialogScript&) { soundAfterNo = settings.soundVolume; });
    script.press(22, sf::Keyboard::D);
    script.press(32, sf::Keyboard::Enter); // Yes
    script.press(40, sf::Keyboard::Escape);
    AudioPanel::showModal();

    EXPECT_EQ(soundAfterNo, 11);
    EXPECT_EQ(settings.globalVolume, 100);
    EXPECT_EQ(settings.soundVolume, 90);
    EXPECT_EQ(settings.musicVolume, 18);
}

TEST_F(AudioPanelDisplay, DraggingTheSoundBarChangesTheVolumeLive)
{
    settings.soundVolume = 80;
    const float track = 590, dragger = 32, barX = panelLeft + 20, barY = panelTop + 70 + 12;
    const sf::Vector2i grab(static_cast<int>(barX + dragger / 2 + (track - dragger) * 0.8f), static_cast<int>(barY));
    int whileOpen = -1;
    DialogScript script;
    script.at(4, [&](DialogScript& s) {
        test::FakeInput::pointer = grab;
        test::FakeInput::buttons = {sf::Mouse::Left};
        s.queueButton(sf::Event::MouseButtonPressed, grab);
    });
    for (uint32_t t = 5; t <= 10; ++t)
        script.at(t, [=](DialogScript&) { test::FakeInput::pointer.x = grab.x - static_cast<int>(t - 4) * 60; });
    script.at(12, [&](DialogScript& s) {
        test::FakeInput::buttons.clear();
        s.queueButton(sf::Event::MouseButtonReleased, test::FakeInput::pointer);
    });
    script.at(14, [&](DialogScript&) { whileOpen = settings.soundVolume; });
    script.press(16, sf::Keyboard::Escape);
    AudioPanel::showModal();

    EXPECT_GE(whileOpen, 0);
    EXPECT_LE(whileOpen, 20) << "the drag moved the bar from 80 towards 0";
}

TEST_F(AudioPanelDisplay, LoadMusicFileCancelKeepsTheMusicAndOkPlaysTheChoice)
{
    settings.musicLoadPath = wav;
    std::string pathAfterCancel = "(unset)";
    DialogScript script;
    script.press(4, sf::Keyboard::F3);
    script.press(14, sf::Keyboard::Escape); // Cancel in the file dialog
    script.at(20, [&](DialogScript&) { pathAfterCancel = Audio::currentMusicPath; });
    script.press(22, sf::Keyboard::F3);
    script.press(32, sf::Keyboard::Enter); // Ok on the name it opened with
    script.press(40, sf::Keyboard::Escape);
    AudioPanel::showModal();

    EXPECT_EQ(pathAfterCancel, "");
    EXPECT_EQ(music().getStatus(), sf::SoundSource::Playing);
    EXPECT_EQ(Audio::currentMusicName, "ten.wav");
    EXPECT_EQ(settings.musicLoadPath, Audio::currentMusicPath);
    EXPECT_EQ(getFullPath(Audio::currentMusicPath), getFullPath(wav));
}

TEST_F(AudioPanelDisplay, ClickingPlayStartsTheMusicAndDoneCloses)
{
    ASSERT_NO_FATAL_FAILURE(playAt(2));
    music().stop();
    // The transport row's first button, and Done at the form's bottom left.
    const sf::Vector2i play(static_cast<int>(panelLeft + 30), static_cast<int>(panelTop + 140 + 260 - 40));
    const sf::Vector2i done(static_cast<int>(panelLeft + 30), static_cast<int>(panelTop + 470 - 25));
    sf::SoundSource::Status afterPlay = sf::SoundSource::Stopped;
    DialogScript script;
    script.click(4, play);
    script.at(10, [&](DialogScript&) { afterPlay = music().getStatus(); });
    script.click(12, done);
    AudioPanel::showModal();

    EXPECT_EQ(afterPlay, sf::SoundSource::Playing);
    EXPECT_TRUE(SceneManager::zeroDtNextFrame);
}

// Without an audio device the panel says so instead of vanishing: from the menu in a message
// box that waits for its OK, in a game (the panel's own frame step) as a warning line.
TEST_F(AudioPanelDisplay, WithoutAudioItTellsThePlayerSo)
{
    struct AudioDown {
        AudioDown() { Audio::audioReady = false; }
        ~AudioDown() { Audio::audioReady = true; }
    } down;
    uint32_t answeredAt = 0;
    DialogScript script;
    script.at(5, [&](DialogScript& s) {
        answeredAt = s.tick();
        s.pressNow(sf::Keyboard::Enter);
    });
    testing::internal::CaptureStderr();
    AudioPanel::showModal();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find(std::string("Message: ") + AudioPanel::noAudioText), std::string::npos) << log;
    EXPECT_GE(answeredAt, 5u) << "closed before the player read it";
    EXPECT_TRUE(SceneManager::zeroDtNextFrame);

    messageList.clear();
    EXPECT_TRUE(AudioPanel::update());
    ASSERT_FALSE(messageList.empty());
    EXPECT_EQ(messageList.back().text, AudioPanel::noAudioText);
    EXPECT_EQ(messageList.back().colour, clMessageWarning);
    messageList.clear();
}

} // namespace
