#include "core/Theme.h"

#include "core/Framework.h"
#include "core/IniFile.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/StringUtils.h"

namespace kv {

Theme theme;

namespace {

struct ThemeColour {
    const char* section;
    const char* key;
    sf::Color Theme::*colour;
};

// In reading order: a colour may name one read before it.
const ThemeColour themeColours[] = {
    {"form", "clFormBack", &Theme::clFormBack},
    {"form", "clFormBorderLight", &Theme::clFormBorderLight},
    {"form", "clFormBorderDark", &Theme::clFormBorderDark},
    {"form", "clFormText", &Theme::clFormText},
    {"titleBar", "clTitleBarBack", &Theme::clTitleBarBack},
    {"titleBar", "clTitleBarBorderLight", &Theme::clTitleBarBorderLight},
    {"titleBar", "clTitleBarBorderDark", &Theme::clTitleBarBorderDark},
    {"titleBar", "clTitleBarText", &Theme::clTitleBarText},
    {"edit", "clEditBack", &Theme::clEditBack},
    {"edit", "clEditBorderLight", &Theme::clEditBorderLight},
    {"edit", "clEditBorderDark", &Theme::clEditBorderDark},
    {"edit", "clEditText", &Theme::clEditText},
    {"edit", "clEditTextDisabled", &Theme::clEditTextDisabled},
    {"button", "clButtonBack", &Theme::clButtonBack},
    {"button", "clButtonBorderLight", &Theme::clButtonBorderLight},
    {"button", "clButtonBorderDark", &Theme::clButtonBorderDark},
    {"button", "clButtonText", &Theme::clButtonText},
    {"button", "clButtonIcon", &Theme::clButtonIcon},
    {"button", "clButtonPressedBack", &Theme::clButtonPressedBack},
    {"button", "clButtonPressedBorderLight", &Theme::clButtonPressedBorderLight},
    {"button", "clButtonPressedBorderDark", &Theme::clButtonPressedBorderDark},
    {"hint", "clHintBack", &Theme::clHintBack},
    {"hint", "clHintBorderLight", &Theme::clHintBorderLight},
    {"hint", "clHintBorderDark", &Theme::clHintBorderDark},
    {"hint", "clHintText", &Theme::clHintText},
    {"hint", "clHintShadow", &Theme::clHintShadow},
    {"scrollbar", "clScrollBack", &Theme::clScrollBack},
    {"scrollbar", "clScrollBorderLight", &Theme::clScrollBorderLight},
    {"scrollbar", "clScrollBorderDark", &Theme::clScrollBorderDark},
    {"scrollbar", "clScrollDraggerBack", &Theme::clScrollDraggerBack},
    {"scrollbar", "clScrollDraggerBorderLight", &Theme::clScrollDraggerBorderLight},
    {"scrollbar", "clScrollDraggerBorderDark", &Theme::clScrollDraggerBorderDark},
    {"scrollbar", "clScrollbarPercentage75", &Theme::clScrollbarPercentage75},
    {"scrollbar", "clScrollbarPercentage50", &Theme::clScrollbarPercentage50},
    {"scrollbar", "clScrollbarPercentage25", &Theme::clScrollbarPercentage25},
    {"scrollbar", "clScrollbarPercentage0", &Theme::clScrollbarPercentage0},
    {"listBox", "clListBoxBack", &Theme::clListBoxBack},
    {"listBox", "clListBoxBorderLight", &Theme::clListBoxBorderLight},
    {"listBox", "clListBoxBorderDark", &Theme::clListBoxBorderDark},
    {"listBox", "clListBoxText", &Theme::clListBoxText},
    {"listBox", "clListBoxSelectBack", &Theme::clListBoxSelectBack},
    {"listBox", "clListBoxSelectText", &Theme::clListBoxSelectText},
    {"menu", "clMenuBack", &Theme::clMenuBack},
    {"menu", "clMenuText", &Theme::clMenuText},
    {"menu", "clMenuBorderLight", &Theme::clMenuBorderLight},
    {"menu", "clMenuBorderDark", &Theme::clMenuBorderDark},
    {"menu", "clMenuSelectBack", &Theme::clMenuSelectBack},
    {"menu", "clMenuSelectText", &Theme::clMenuSelectText},
    {"coolMenu", "clCoolMenuItemBack", &Theme::clCoolMenuItemBack},
    {"coolMenu", "clCoolMenuItemBackSelected", &Theme::clCoolMenuItemBackSelected},
    {"coolMenu", "clCoolMenuItemText", &Theme::clCoolMenuItemText},
    {"coolMenu", "clCoolMenuItemTextSelected", &Theme::clCoolMenuItemTextSelected},
    {"coolMenu", "clCoolMenuTitleBack", &Theme::clCoolMenuTitleBack},
    {"coolMenu", "clCoolMenuTitleText", &Theme::clCoolMenuTitleText},
    {"messages", "clMessageWarning", &Theme::clMessageWarning},
    {"messages", "clMessageError", &Theme::clMessageError},
    {"fileDialog", "clFileDialogPakText", &Theme::clFileDialogPakText},
    {"fileDialog", "clFileDialogPakSelectText", &Theme::clFileDialogPakSelectText},
    {"inspector", "clInsTitleBarBack", &Theme::clInsTitleBarBack},
    {"inspector", "clInsTitleBarBorderLight", &Theme::clInsTitleBarBorderLight},
    {"inspector", "clInsTitleBarBorderDark", &Theme::clInsTitleBarBorderDark},
    {"inspector", "clInsTitleBarText", &Theme::clInsTitleBarText},
    {"inspector", "clInsCellBack", &Theme::clInsCellBack},
    {"inspector", "clInsCellBorderLight", &Theme::clInsCellBorderLight},
    {"inspector", "clInsCellBorderDark", &Theme::clInsCellBorderDark},
    {"inspector", "clInsCellText", &Theme::clInsCellText},
    {"inspector", "clInsMouseOverCellBack", &Theme::clInsMouseOverCellBack},
    {"inspector", "clInsMouseOverCellBorderLight", &Theme::clInsMouseOverCellBorderLight},
    {"inspector", "clInsMouseOverCellBorderDark", &Theme::clInsMouseOverCellBorderDark},
    {"inspector", "clInsMouseOverCellText", &Theme::clInsMouseOverCellText},
    {"inspector", "clInsSectionBack", &Theme::clInsSectionBack},
    {"inspector", "clInsSectionBorderLight", &Theme::clInsSectionBorderLight},
    {"inspector", "clInsSectionBorderDark", &Theme::clInsSectionBorderDark},
    {"inspector", "clInsSectionText", &Theme::clInsSectionText},
    {"inspector", "clInsSectionExpandBack", &Theme::clInsSectionExpandBack},
    {"inspector", "clInsSectionExpandBorderLight", &Theme::clInsSectionExpandBorderLight},
    {"inspector", "clInsSectionExpandBorderDark", &Theme::clInsSectionExpandBorderDark},
    {"inspector", "clInsSectionExpandText", &Theme::clInsSectionExpandText},
    {"other", "clDialogBlurBack", &Theme::clDialogBlurBack},
    {"other", "clEditorBack", &Theme::clEditorBack},
};

bool themeLoadedOnce = false;

} // namespace

Notifier themeChanged;

void resetTheme()
{
    theme = Theme{};
}

bool loadTheme()
{
    IniFile ini;
    ini.load(uiConfigPath);
    ini.setSection("options");
    bool found = false;
    const Theme defaults;
    const std::string& name = ini.getValue("themeName", &found);
    theme.themeName = found ? name : defaults.themeName;
    const std::string& dark = ini.getValue("darkTheme", &found);
    theme.darkTheme = found ? iniBool(dark) : defaults.darkTheme;
    const std::string& animate = ini.getValue("coolMenuAnimateCurrentIcon", &found);
    theme.coolMenuAnimateCurrentIcon = found ? iniBool(animate) : defaults.coolMenuAnimateCurrentIcon;
    const std::string& offset = ini.getValue("hintShadowOffset", &found);
    theme.hintShadowOffset = found ? stringToFloat(offset) : defaults.hintShadowOffset;

    ini.namedColours = true;
    for (const ThemeColour& t : themeColours) {
        ini.setSection(t.section);
        theme.*t.colour = ini.getColour(t.key, defaults.*t.colour);
    }
    writeLog("Loaded UI config from " + uiConfigPath);

    if (themeLoadedOnce)
        themeChanged.notify();
    themeLoadedOnce = true;
    return true;
}

} // namespace kv
