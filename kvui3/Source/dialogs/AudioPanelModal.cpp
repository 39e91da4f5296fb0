#include "dialogs/AudioPanelModal.h"
#include "dialogs/Dialogs.h"
#include "dialogs/FileDialog.h"
#include "dialogs/ModalBackdrop.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "audio/Audio.h"
#include "core/Framework.h"
#include "core/Paths.h"
#include "core/Scene.h"
#include "core/Settings.h"

#include <SFML/Graphics/RenderWindow.hpp>

namespace kv::AudioPanel {

void connectDialogs()
{
    loadMusicFileHook = loadMusicFile;
    confirmHook = showConfirmDialog;
}

void showModal()
{
    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return;
    if (!Audio::audioReady) {
        showMessage(noAudioText);
        return;
    }
    connectDialogs();
    ModalScope scope;
    ModalBackdrop backdrop;
    backdrop.capture();
    WindowLog log("Audio Panel");
    log.shown(area());
    bool done = false;
    while (!done) {
        drawModalBackground(backdrop);
        done = update();
        displayFrame(0);
    }
    SceneManager::zeroDtNextFrame = true;
}

bool loadMusicFile()
{
    FileDialog dialog;
    dialog.create();
    dialog.setPath(settings.musicLoadPath);
    dialog.addMusicFileTypes();
    if (dialog.showModal() != 1)
        return false;
    return Audio::playMusic(joinPath(dialog.currentFolder, dialog.fileNameEdit.edit.text), 0);
}

} // namespace kv::AudioPanel
