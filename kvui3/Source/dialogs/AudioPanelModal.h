#pragma once
// The Audio Panel's modal run and the dialogs it opens (the panel itself is ui/AudioPanel.h).
#include "ui/AudioPanel.h"

namespace kv::AudioPanel {

// Gives the panel its file dialog and its Yes/No question. Once at start-up, after
// KVCore::init; showModal does it too.
void connectDialogs();

// Runs the panel over a dimmed picture of the screen until Done, Escape or F5; the caller's
// next frame has a time of 0. Without a window it does not run; with the audio service down it
// shows noAudioText in a message box instead.
void showModal();

// A file dialog started at the musicLoadPath setting with the music types; Ok plays the chosen
// file from its start (the result is Audio::playMusic's), Cancel gives false.
bool loadMusicFile();

} // namespace kv::AudioPanel
