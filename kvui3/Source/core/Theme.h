#pragma once
// The theme: the colours and look options of the user-interface toolkit, read from uiConfigPath.
#include "core/Notifier.h"

#include <SFML/Graphics/Color.hpp>

#include <string>

namespace kv {

extern std::string themeName;
extern bool darkTheme;
extern bool coolMenuAnimateCurrentIcon;
extern float hintShadowOffset;

extern sf::Color clFormBack;
extern sf::Color clFormBorderLight;
extern sf::Color clFormBorderDark;
extern sf::Color clFormText;
extern sf::Color clTitleBarBack;
extern sf::Color clTitleBarBorderLight;
extern sf::Color clTitleBarBorderDark;
extern sf::Color clTitleBarText;
extern sf::Color clEditBack;
extern sf::Color clEditBorderLight;
extern sf::Color clEditBorderDark;
extern sf::Color clEditText;
extern sf::Color clEditTextDisabled;
extern sf::Color clButtonBack;
extern sf::Color clButtonBorderLight;
extern sf::Color clButtonBorderDark;
extern sf::Color clButtonText;
extern sf::Color clButtonIcon;
extern sf::Color clButtonPressedBack;
extern sf::Color clButtonPressedBorderLight;
extern sf::Color clButtonPressedBorderDark;
extern sf::Color clHintBack;
extern sf::Color clHintBorderLight;
extern sf::Color clHintBorderDark;
extern sf::Color clHintText;
extern sf::Color clHintShadow;
extern sf::Color clScrollBack;
extern sf::Color clScrollBorderLight;
extern sf::Color clScrollBorderDark;
extern sf::Color clScrollDraggerBack;
extern sf::Color clScrollDraggerBorderLight;
extern sf::Color clScrollDraggerBorderDark;
extern sf::Color clScrollbarPercentage75;
extern sf::Color clScrollbarPercentage50;
extern sf::Color clScrollbarPercentage25;
extern sf::Color clScrollbarPercentage0;
extern sf::Color clListBoxBack;
extern sf::Color clListBoxBorderLight;
extern sf::Color clListBoxBorderDark;
extern sf::Color clListBoxText;
extern sf::Color clListBoxSelectBack;
extern sf::Color clListBoxSelectText;
extern sf::Color clMenuBack;
extern sf::Color clMenuText;
extern sf::Color clMenuBorderLight;
extern sf::Color clMenuBorderDark;
extern sf::Color clMenuSelectBack;
extern sf::Color clMenuSelectText;
extern sf::Color clCoolMenuItemBack;
extern sf::Color clCoolMenuItemBackSelected;
extern sf::Color clCoolMenuItemText;
extern sf::Color clCoolMenuItemTextSelected;
extern sf::Color clCoolMenuTitleBack;
extern sf::Color clCoolMenuTitleText;
extern sf::Color clMessageWarning;
extern sf::Color clMessageError;
extern sf::Color clFileDialogPakText;
extern sf::Color clFileDialogPakSelectText;
extern sf::Color clInsTitleBarBack;
extern sf::Color clInsTitleBarBorderLight;
extern sf::Color clInsTitleBarBorderDark;
extern sf::Color clInsTitleBarText;
extern sf::Color clInsCellBack;
extern sf::Color clInsCellBorderLight;
extern sf::Color clInsCellBorderDark;
extern sf::Color clInsCellText;
extern sf::Color clInsMouseOverCellBack;
extern sf::Color clInsMouseOverCellBorderLight;
extern sf::Color clInsMouseOverCellBorderDark;
extern sf::Color clInsMouseOverCellText;
extern sf::Color clInsSectionBack;
extern sf::Color clInsSectionBorderLight;
extern sf::Color clInsSectionBorderDark;
extern sf::Color clInsSectionText;
extern sf::Color clInsSectionExpandBack;
extern sf::Color clInsSectionExpandBorderLight;
extern sf::Color clInsSectionExpandBorderDark;
extern sf::Color clInsSectionExpandText;
extern sf::Color clDialogBlurBack;
extern sf::Color clEditorBack;

// Reads every option and colour (missing ones take their defaults); always true.
// Every load after the first notifies themeChanged.
bool loadTheme();
// Widgets that took theme colours when they were made rebuild themselves on it.
extern Notifier themeChanged;
// Puts every option and colour back to its default.
void resetTheme();

} // namespace kv
