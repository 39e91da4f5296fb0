#pragma once
// The theme: the colours and look options of the user-interface toolkit, read from uiConfigPath.
#include "core/Notifier.h"

#include <SFML/Graphics/Color.hpp>

#include <string>

namespace kv {

// Every option and colour, each with its default; a value-initialised Theme is the default look.
struct Theme {
    std::string themeName = "Unamed theme";
    bool darkTheme = false;
    bool coolMenuAnimateCurrentIcon = true;
    float hintShadowOffset = 8.0f;

    // [form]
    sf::Color clFormBack{200, 200, 200, 255};
    sf::Color clFormBorderLight{255, 255, 255, 255};
    sf::Color clFormBorderDark{128, 128, 128, 255};
    sf::Color clFormText{0, 0, 0, 255};

    // [titleBar]
    sf::Color clTitleBarBack{52, 81, 142, 255};
    sf::Color clTitleBarBorderLight{179, 179, 179, 255};
    sf::Color clTitleBarBorderDark{79, 79, 79, 255};
    sf::Color clTitleBarText{255, 255, 255, 255};

    // [edit]
    sf::Color clEditBack{255, 255, 255, 255};
    sf::Color clEditBorderLight{212, 208, 200, 255};
    sf::Color clEditBorderDark{0, 0, 0, 255};
    sf::Color clEditText{0, 0, 0, 255};
    sf::Color clEditTextDisabled{128, 128, 128, 255};

    // [button]
    sf::Color clButtonBack{200, 200, 200, 255};
    sf::Color clButtonBorderLight{255, 255, 255, 255};
    sf::Color clButtonBorderDark{128, 128, 128, 255};
    sf::Color clButtonText{0, 0, 0, 255};
    sf::Color clButtonIcon{255, 255, 255, 255};
    sf::Color clButtonPressedBack{127, 127, 228, 255};
    sf::Color clButtonPressedBorderLight{255, 255, 255, 255};
    sf::Color clButtonPressedBorderDark{128, 128, 128, 255};

    // [hint]
    sf::Color clHintBack{255, 255, 255, 192};
    sf::Color clHintBorderLight{255, 255, 255, 192};
    sf::Color clHintBorderDark{255, 255, 255, 192};
    sf::Color clHintText{0, 0, 0, 255};
    sf::Color clHintShadow{0, 0, 0, 192};

    // [scrollbar]
    sf::Color clScrollBack{131, 131, 131, 255};
    sf::Color clScrollBorderLight{71, 71, 71, 255};
    sf::Color clScrollBorderDark{35, 35, 35, 255};
    sf::Color clScrollDraggerBack{52, 81, 142, 255};
    sf::Color clScrollDraggerBorderLight{64, 93, 152, 255};
    sf::Color clScrollDraggerBorderDark{10, 36, 106, 255};
    sf::Color clScrollbarPercentage75{0, 255, 0, 255};
    sf::Color clScrollbarPercentage50{243, 115, 23, 255};
    sf::Color clScrollbarPercentage25{255, 255, 0, 255};
    sf::Color clScrollbarPercentage0{255, 0, 0, 255};

    // [listBox]
    sf::Color clListBoxBack{219, 219, 219, 255};
    sf::Color clListBoxBorderLight{111, 111, 111, 255};
    sf::Color clListBoxBorderDark{255, 255, 255, 255};
    sf::Color clListBoxText{0, 0, 0, 255};
    sf::Color clListBoxSelectBack{0, 0, 0, 255};
    sf::Color clListBoxSelectText{219, 219, 219, 255};

    // [menu]
    sf::Color clMenuBack{131, 131, 131, 255};
    sf::Color clMenuText{35, 35, 35, 255};
    sf::Color clMenuBorderLight{179, 179, 179, 255};
    sf::Color clMenuBorderDark{79, 79, 79, 255};
    sf::Color clMenuSelectBack{52, 81, 142, 255};
    sf::Color clMenuSelectText{255, 255, 255, 255};

    // [coolMenu]
    sf::Color clCoolMenuItemBack{255, 255, 255, 192};
    sf::Color clCoolMenuItemBackSelected{0, 0, 128, 192};
    sf::Color clCoolMenuItemText{0, 0, 0, 255};
    sf::Color clCoolMenuItemTextSelected{255, 255, 255, 255};
    sf::Color clCoolMenuTitleBack{0, 0, 128, 192};
    sf::Color clCoolMenuTitleText{255, 255, 255, 255};

    // [messages]
    sf::Color clMessageWarning{243, 115, 23, 255};
    sf::Color clMessageError{255, 0, 0, 255};

    // [fileDialog]
    sf::Color clFileDialogPakText{192, 128, 0, 255};
    sf::Color clFileDialogPakSelectText{192, 128, 0, 255};

    // [inspector]
    sf::Color clInsTitleBarBack{3, 3, 255, 255};
    sf::Color clInsTitleBarBorderLight{115, 115, 255, 255};
    sf::Color clInsTitleBarBorderDark{3, 3, 203, 255};
    sf::Color clInsTitleBarText{255, 255, 255, 255};
    sf::Color clInsCellBack{231, 231, 231, 255};
    sf::Color clInsCellBorderLight{255, 255, 255, 255};
    sf::Color clInsCellBorderDark{3, 3, 255, 255};
    sf::Color clInsCellText{107, 107, 107, 255};
    sf::Color clInsMouseOverCellBack{255, 31, 31, 255};
    sf::Color clInsMouseOverCellBorderLight{227, 3, 3, 255};
    sf::Color clInsMouseOverCellBorderDark{255, 123, 123, 255};
    sf::Color clInsMouseOverCellText{255, 255, 0, 255};
    sf::Color clInsSectionBack{200, 200, 200, 255};
    sf::Color clInsSectionBorderLight{255, 255, 255, 255};
    sf::Color clInsSectionBorderDark{3, 3, 255, 255};
    sf::Color clInsSectionText{0, 0, 0, 255};
    sf::Color clInsSectionExpandBack{200, 200, 200, 255};
    sf::Color clInsSectionExpandBorderLight{255, 255, 255, 255};
    sf::Color clInsSectionExpandBorderDark{3, 3, 255, 255};
    sf::Color clInsSectionExpandText{255, 255, 0, 255};

    // [other]
    sf::Color clDialogBlurBack{47, 47, 47, 192};
    sf::Color clEditorBack{58, 58, 58, 255};
};

// The look in use: the defaults until loadTheme reads uiConfigPath.
extern Theme theme;

// Reads every option and colour (missing ones take their defaults); always true.
// Every load after the first notifies themeChanged.
bool loadTheme();
// Widgets that took theme colours when they were made rebuild themselves on it.
extern Notifier themeChanged;
// Puts every option and colour back to its default.
void resetTheme();

} // namespace kv
