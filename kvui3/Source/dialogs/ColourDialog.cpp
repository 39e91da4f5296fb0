#include "dialogs/ColourPickerDialog.h"
#include "dialogs/Dialogs.h"
#include "dialogs/ModalBackdrop.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"

#include <SFML/Window/Keyboard.hpp>
#include <imgui.h>

namespace kv {

namespace {

// Rounded: a colour confirmed unchanged comes back byte for byte.
uint8_t toByte(float channel)
{
    if (!(channel > 0))
        return 0;
    if (channel >= 1)
        return 255;
    return static_cast<uint8_t>(channel * 255 + 0.5f);
}

// Escape and Enter as this tick's presses or as held keys: a tap between two frames still counts,
// whatever ImGui made of it.
bool keyHit(int key)
{
    return input.focus && (input.keyDown(key) || Keyboard::keyPressed(key, true));
}

bool frameworkColourDialog(const std::string& title, sf::Color& colour)
{
    ModalScope scope;
    ColourPickerDialog dialog;
    dialog.create(colour);
    if (!title.empty())
        dialog.setTitle(title);
    ModalBackdrop backdrop;
    backdrop.capture();
    WindowLog log(dialog.getTitle());
    log.shown({dialog.getPosition(), dialog.getSize()});
    bool taken = false;
    for (;;) {
        drawModalBackground(backdrop);
        dialog.draw();
        dialog.update();
        if (pollerTicked && dialog.cancel.clicked)
            break;
        if (pollerTicked && dialog.ok.clicked) {
            colour = dialog.picker.colour();
            taken = true;
            break;
        }
        displayFrame(0);
    }
    showClosingFrame(backdrop);
    dialog.destroy();
    return taken;
}

bool imguiColourDialog(const std::string& title, sf::Color& colour)
{
    ModalScope scope;
    ModalBackdrop backdrop;
    backdrop.capture();
    const float reference[4] = {colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, colour.a / 255.0f};
    float current[4] = {reference[0], reference[1], reference[2], reference[3]};
    ImGui::OpenPopup("colourDialog");
    WindowLog log(title.empty() ? "Colour" : title);
    bool cancelled = false;
    for (;;) {
        drawModalBackground(backdrop);
        if (ImGui::BeginPopup("colourDialog")) {
            ImGui::ColorPicker4("##picker", current,
                                ImGuiColorEditFlags_AlphaPreviewHalf | ImGuiColorEditFlags_DisplayRGB |
                                    ImGuiColorEditFlags_DisplayHex,
                                reference);
            const ImVec2 at = ImGui::GetWindowPos(), size = ImGui::GetWindowSize();
            log.settled({at.x, at.y, size.x, size.y});
            if (keyHit(sf::Keyboard::Escape)) {
                cancelled = true;
                ImGui::CloseCurrentPopup();
            } else if (keyHit(sf::Keyboard::Enter)) {
                ImGui::CloseCurrentPopup();
            }
            ImGui::EndPopup();
        } else if (keyHit(sf::Keyboard::Escape)) {
            // ImGui's own navigation closed the popup on this Escape.
            cancelled = true;
        }
        if (!ImGui::IsPopupOpen("colourDialog")) {
            displayFrame(0);
            Mouse::waitForButtonRelease();
            break;
        }
        displayFrame(0);
    }
    const float* chosen = cancelled ? reference : current;
    colour = sf::Color(toByte(chosen[0]), toByte(chosen[1]), toByte(chosen[2]), toByte(chosen[3]));
    return true;
}

} // namespace

bool showColourDialog(const std::string& title, sf::Color& colour)
{
    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return false;
    return imguiEnabled ? imguiColourDialog(title, colour) : frameworkColourDialog(title, colour);
}

} // namespace kv
