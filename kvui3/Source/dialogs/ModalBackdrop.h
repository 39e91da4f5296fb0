#pragma once
// What every modal dialog runs on: a dimmed picture of the screen as it was when the dialog
// opened, the scope that keeps the caller's frame state and keyboard focus, and the background
// step of the dialog's own frames.
#include "app/NestedLoop.h"

#include <SFML/Graphics/Texture.hpp>

#include <cstdint>

namespace kv {

// The dimming laid over the caller's last frame.
inline const sf::Color backdropShade(47, 47, 47, 192);

struct ModalBackdrop {
    bool captured = false;
    sf::Texture snapshot;

    // The frame last shown (lastShownFrame), darkened with backdropShade over the whole view,
    // window-sized. Without a window, or when the texture cannot be made, captured stays false
    // and the dialog runs over black.
    void capture();
};

// Steps 1 and 2 of a dialog's frame: keeps the layer textures at the window's size, then lays
// down the backdrop (black when none was captured).
void drawModalBackground(const ModalBackdrop& backdrop);
// The dialog's last frame, with the dialog gone: the key or button that answered it is then
// released over no widget.
void showClosingFrame(const ModalBackdrop& backdrop);

// Held by a dialog while it runs. Besides the nested-loop scope (the caller's draw state back,
// this loop's per-tick input spent, a frame time of 0 for the caller's next frame) it gives the
// keyboard focus back to the widget that had it, since the dialog's widgets take it and their
// ids are freed when they go. The hints shown when it opens end then (their widgets lie behind
// the dialog), and the dialog's own end with it. While it runs, the compositor draws the message
// list beneath the dialog (modalDialogRunning).
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    NestedLoop loop_;
    uint32_t focus_;
};

} // namespace kv
