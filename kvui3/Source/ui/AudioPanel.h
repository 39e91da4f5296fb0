#pragma once
// The Audio Panel: the sound and music volume bars, a display of the music playing (time,
// name, state), the transport buttons, Load Music File, Defaults and Done, in a 630 x 470 form
// centred in the view. One program-wide panel, built when audio comes up and again after a
// theme or display-mode change. Its modal loop and the dialogs it opens live in the dialogs
// layer (dialogs/AudioPanelModal.h), which fills the two hooks below.
#include <SFML/Graphics/Rect.hpp>

#include <string>

namespace kv::AudioPanel {

// What the display shows with no music.
inline constexpr const char* noTimeText = "-:--";
inline constexpr const char* noMusicText = "No music loaded, click \"Load Music File\" or press F3";
inline constexpr const char* defaultsQuestion =
    "Are you sure that you want to set default sound and music volume levels?";
// What the panel says in place of opening when the audio service is down (no device).
inline constexpr const char* noAudioText = "No audio device is available: the game runs without sound and music.";
// How far the skip buttons move the music, in seconds.
inline constexpr float skipSeconds = 5.0f;

// "Load Music File": chooses a music file and plays it (true when it plays). Null: nothing.
extern bool (*loadMusicFileHook)();
// "Defaults": asks text, 1 for Yes. Null: the defaults are not set.
extern int (*confirmHook)(const std::string& text);

// Lays the widgets out for the current view and theme (nothing without a window).
void build();
// Forgets the pressed state of the eight buttons.
void resetButtons();
// The form's place in the view, as last built.
sf::FloatRect area();
// One frame of the panel's input and drawing on layerUI; true when it asks to close (Done,
// Escape or F5). With the audio service down it closes at once with noAudioText as a warning.
bool update();

// The transport actions the buttons run, on the current music stream.
// Unless paused, stops; then plays (a paused track resumes, any other restarts). Nothing
// without music loaded.
void playOrRestart();
// Moves the playing offset by seconds, kept within 0 and the track's length.
void skip(float seconds);
// Playing: pauses. Paused: plays.
void pauseOrResume();
// Forgets the current music's path and name and stops it.
void stop();
// Asks defaultsQuestion; Yes sets globalVolume 100 and the default sound and music volumes.
void askDefaults();

// The display's two lines as last drawn: the time and name, and the state.
const std::string& timeLine();
const std::string& stateLine();

} // namespace kv::AudioPanel
