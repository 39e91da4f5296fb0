#include "ui/AudioPanel.h"

#include "audio/Audio.h"
#include "core/Framework.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/LazyObject.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/Theme.h"
#include "core/Time.h"
#include "graphics/RenderLayers.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Scrollbar.h"
#include "ui/SimpleWidgets.h"

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cstdio>

namespace kv::AudioPanel {

bool (*loadMusicFileHook)() = nullptr;
int (*confirmHook)(const std::string& text) = nullptr;

namespace {

constexpr float panelWidth = 630, panelHeight = 470;
constexpr float displayWidth = 590;

enum ButtonIndex { playButton, backButton, forwardButton, pauseButton, stopButton, loadButton, defaultsButton, doneButton, buttonCount };

struct ButtonSpec {
    const char* caption;
    int icon;
    uint32_t key;
};
constexpr ButtonSpec buttonSpecs[buttonCount] = {
    {"Play/Restart", 110, sf::Keyboard::Space}, {"Skip Backward", 121, sf::Keyboard::Left},
    {"Skip Forward", 95, sf::Keyboard::Right},  {"Pause/Resume", 108, sf::Keyboard::P},
    {"Stop", 149, sf::Keyboard::S},             {"Load Music File", 72, sf::Keyboard::F3},
    {"Defaults", 128, sf::Keyboard::D},         {"Done", 175, sf::Keyboard::Enter},
};

struct Panel {
    bool built = false;
    Form form;
    GroupBox soundGroup, musicGroup;
    Scrollbar soundBar, musicBar;
    uint32_t soundValue = 0, musicValue = 0; // the bars' values, mirrored into the settings
    Button buttons[buttonCount];
    sf::RenderTexture display;
    sf::Sprite displaySprite;
    sfText timeText, stateText;
    std::string timeLine, stateLine; // what the texts show
};

LazyObject<Panel> panel;

void makeGroup(GroupBox& group, const std::string& caption, sf::Vector2f position, sf::Vector2f size)
{
    group.caption.create(position, clButtonText, caption, *standardFont, componentTextSize);
    group.setBounds(position, size);
    group.setAlpha(255);
}

uint32_t volumeValue(int volume)
{
    return static_cast<uint32_t>(std::clamp(volume, 0, 100));
}

void followBar(Scrollbar& bar, uint32_t& value, int& setting)
{
    value = volumeValue(setting);
    bar.update();
    bar.draw();
    setting = static_cast<int>(value);
}

// Sets text and its string only when the line changed, so an unchanged display allocates nothing.
void showLine(sfText& text, std::string& shown, const char* line, sf::Color colour)
{
    if (shown != line) {
        shown = line;
        text.setString(shown);
    }
    text.setFillColor(colour);
}

void drawDisplay(Panel& p)
{
    const sf::SoundStream& music = Audio::currentMusic();
    const sf::SoundSource::Status status = music.getStatus();
    char line[320];
    if (status == sf::SoundSource::Stopped) {
        std::snprintf(line, sizeof line, "%s %s", noTimeText, Audio::currentMusicName.c_str());
    } else {
        const int seconds = static_cast<int>(music.getPlayingOffset().asSeconds());
        std::snprintf(line, sizeof line, "%d:%02d %s", seconds / 60, seconds % 60, Audio::currentMusicName.c_str());
    }
    showLine(p.timeText, p.timeLine, line, sf::Color::Green);

    if (status == sf::SoundSource::Paused) {
        showLine(p.stateText, p.stateLine, getAnimationFrame(2) == 1 ? "Paused" : "", sf::Color::Red);
    } else if (status == sf::SoundSource::Playing) {
        std::snprintf(line, sizeof line, "Playing%.*s", getAnimationFrame(8), ".......");
        showLine(p.stateText, p.stateLine, line, sf::Color::White);
    } else {
        showLine(p.stateText, p.stateLine, noMusicText, sf::Color(128, 128, 128));
    }

    p.display.clear(sf::Color::Black);
    p.display.draw(p.timeText);
    p.display.draw(p.stateText);
    p.display.display();
    drawOnUILayer(p.displaySprite);
}

} // namespace

void build()
{
    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return;
    Panel& p = *panel;
    const sf::Vector2f view = renderWindow->getView().getSize();
    const float left = (view.x - panelWidth) / 2, top = (view.y - panelHeight) / 2;

    p.form.create({left, top}, {panelWidth, panelHeight}, "Audio Panel");
    makeGroup(p.soundGroup, "Sound Effects", {left, top + 30}, {panelWidth, 120});
    makeGroup(p.musicGroup, "Music", {left, top + 140}, {panelWidth, 260});
    p.soundValue = volumeValue(settings.soundVolume);
    p.musicValue = volumeValue(settings.musicVolume);
    p.soundBar.create("Sound Volume", {left + 20, top + 70}, {displayWidth, 24}, 100, false, 32, &p.soundValue,
                      noPageSize);
    p.musicBar.create("Music Volume", {left + 20, top + 180}, {displayWidth, 24}, 100, false, 32, &p.musicValue,
                      noPageSize);

    const float ls24 = mediumFont->getLineSpacing(24), ls18 = standardFont->getLineSpacing(componentTextSize);
    if (p.display.getSize() != sf::Vector2u(static_cast<unsigned>(displayWidth), static_cast<unsigned>(ls24 + ls18 + 4)))
        p.display.create(static_cast<unsigned>(displayWidth), static_cast<unsigned>(ls24 + ls18 + 4));
    p.displaySprite.setTexture(p.display.getTexture(), true);
    p.displaySprite.setPosition(left + 20, top + 240);
    p.timeText.setFont(*mediumFont);
    p.timeText.setCharacterSize(24);
    p.timeText.setPosition(2, 2);
    p.stateText.setFont(*standardFont);
    p.stateText.setCharacterSize(componentTextSize);
    p.stateText.setPosition(2, 2 + ls24);
    p.timeLine.clear();
    p.stateLine.clear();

    // The transport row sits inside the Music group's frame (drawn half a line within its bounds).
    const GroupBox::Frame& music = p.musicGroup.frame;
    for (int i = 0; i < buttonCount; ++i) {
        const ButtonSpec& spec = buttonSpecs[i];
        const sfSprite icon(Icons::getIcon(spec.icon));
        const sf::Vector2f at(music.left + 4 + 34.0f * static_cast<float>(std::min(i, int(loadButton))), music.bottom - 32 - 4);
        p.buttons[i].create(spec.caption, &icon, &at, spec.key, "", false);
    }
    const sf::Vector2f textButton(digitsWidth(*standardFont, componentTextSize, 10) + 32, 42);
    Button& done = p.buttons[doneButton];
    Button& defaults = p.buttons[defaultsButton];
    done.setSize(textButton);
    defaults.setSize(textButton);
    done.setPosition({left + 5, top + panelHeight - 5 - textButton.y});
    defaults.setPosition({left + 5 + textButton.x + 5, top + panelHeight - 5 - textButton.y});
    p.built = true;
}

sf::FloatRect area()
{
    if (!panel.isBuilt())
        return {};
    Form& form = panel->form;
    return {form.getPosition(), form.getSize()};
}

void resetButtons()
{
    if (!panel.isBuilt())
        return;
    for (Button& button : panel->buttons) {
        button.clicked = false;
        button.hovered = false;
    }
}

void playOrRestart()
{
    sf::SoundStream& music = Audio::currentMusic();
    // A stream never opened has no channels: playing it only makes SFML complain.
    if (music.getChannelCount() == 0)
        return;
    if (music.getStatus() != sf::SoundSource::Paused)
        music.stop();
    music.play();
}

void skip(float seconds)
{
    sf::SoundStream& music = Audio::currentMusic();
    if (music.getChannelCount() == 0)
        return;
    float offset = std::max(0.0f, music.getPlayingOffset().asSeconds() + seconds);
    // Modules play endlessly and have no length to keep within.
    if (const auto* track = dynamic_cast<const sf::Music*>(&music))
        offset = std::min(offset, track->getDuration().asSeconds());
    music.setPlayingOffset(sf::seconds(offset));
}

void pauseOrResume()
{
    sf::SoundStream& music = Audio::currentMusic();
    if (music.getStatus() == sf::SoundSource::Playing)
        music.pause();
    else if (music.getStatus() == sf::SoundSource::Paused)
        music.play();
}

void stop()
{
    Audio::currentMusicPath.clear();
    Audio::currentMusicName.clear();
    Audio::currentMusic().stop();
}

void askDefaults()
{
    if (!confirmHook || confirmHook(defaultsQuestion) != 1)
        return;
    settings.globalVolume = 100;
    settings.soundVolume = defaultSoundVolume;
    settings.musicVolume = defaultMusicVolume;
}

bool update()
{
    if (!Audio::audioReady) {
        printWarning(noAudioText);
        return true;
    }
    if (!panel.isBuilt() || !panel->built)
        build();
    Panel& p = *panel;
    if (!p.built)
        return true;

    p.form.update();
    p.form.draw();
    p.soundGroup.draw();
    p.musicGroup.draw();
    for (Button& button : p.buttons) {
        button.update();
        button.draw();
    }
    if (p.buttons[playButton].clicked)
        playOrRestart();
    if (p.buttons[backButton].clicked)
        skip(-skipSeconds);
    if (p.buttons[forwardButton].clicked)
        skip(skipSeconds);
    if (p.buttons[pauseButton].clicked)
        pauseOrResume();
    if (p.buttons[stopButton].clicked)
        stop();
    if (p.buttons[loadButton].clicked && loadMusicFileHook)
        loadMusicFileHook();

    followBar(p.soundBar, p.soundValue, settings.soundVolume);
    followBar(p.musicBar, p.musicValue, settings.musicVolume);
    drawDisplay(p);

    if (p.buttons[doneButton].clicked)
        return true;
    if (p.buttons[defaultsButton].clicked)
        askDefaults();
    return input.focus && (Keyboard::keyPressed(sf::Keyboard::Escape, true) || Keyboard::keyPressed(sf::Keyboard::F5, true));
}

const std::string& timeLine()
{
    return panel->timeLine;
}

const std::string& stateLine()
{
    return panel->stateLine;
}

} // namespace kv::AudioPanel
