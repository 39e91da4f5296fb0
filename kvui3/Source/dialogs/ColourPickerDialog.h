#pragma once
// The framework's colour dialog window: a form of 500 x 400 centred in the view, a colour picker
// filling its body, Ok (Enter) and Cancel (Escape) at the bottom right. showColourDialog runs it
// when Dear ImGui is off.
#include "dialogs/Dialog.h"
#include "ui/Button.h"
#include "ui/ColourPicker.h"
#include "ui/Form.h"

namespace kv {

class ColourPickerDialog : public Dialog {
public:
    static constexpr float width = 500, height = 400, margin = 16;

    Form form;
    Button ok, cancel;
    ColourPicker picker;

    // Lays the dialog out in the current view, titled "Select Colour", the picker at colour.
    void create(const sf::Color& colour);

    void destroy() override;
    // Form, Ok, Cancel and picker, only in frames with a tick; owners read the buttons' clicked.
    void update() override;
    void draw() override;
    sf::Vector2f getPosition() override { return form.getPosition(); }
    sf::Vector2f getSize() override { return form.getSize(); }
    float getWidth() override { return form.getWidth(); }
    float getHeight() override { return form.getHeight(); }
    void setTitle(const std::string& title) override { form.title.setText(title); }
    std::string getTitle() override { return form.title.getText(); }
};

} // namespace kv
