#pragma once
// The one-line text entry dialog's widgets and layout (showInputDialog runs it).
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/TextBox.h"

#include <string>

namespace kv {

struct InputDialog {
    float x = 0, y = 0, width = 0, height = 0;
    Form form;
    TextBox textBox;
    Button ok;
    Button cancel;

    // Lays the dialog out centred in the view: a text box of 64 characters holding value (no
    // wider than 60 digits or 60 % of the view), the prompt as the form's title, Ok (Enter) and
    // Cancel (Escape) under it; the text box takes the keyboard focus. The third argument is not
    // used.
    void create(const std::string& value, const std::string& unused, const std::string& prompt);
};

} // namespace kv
