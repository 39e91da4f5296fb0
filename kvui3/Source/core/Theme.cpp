#include "core/Theme.h"

#include "core/Framework.h"
#include "core/IniFile.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/StringUtils.h"

namespace kv {

std::string themeName = "Unamed theme";
bool darkTheme = false;
bool coolMenuAnimateCurrentIcon = true;
float hintShadowOffset = 8.0f;

sf::Color clFormBack(200, 200, 200, 255);
sf::Color clFormBorderLight(255, 255, 255, 255);
sf::Color clFormBorderDark(128, 128, 128, 255);
sf::Color clFormText(0, 0, 0, 255);
sf::Color clTitleBarBack(52, 81, 142, 255);
sf::Color clTitleBarBorderLight(179, 179, 179, 255);
sf::Color clTitleBarBorderDark(79, 79, 79, 255);
sf::Color clTitleBarText(255, 255, 255, 255);
sf::Color clEditBack(255, 255, 255, 255);
sf::Color clEditBorderLight(212, 208, 200, 255);
sf::Color clEditBorderDark(0, 0, 0, 255);
sf::Color clEditText(0, 0, 0, 255);
sf::Color clEditTextDisabled(128, 128, 128, 255);
sf::Color clButtonBack(200, 200, 200, 255);
sf::Color clButtonBorderLight(255, 255, 255, 255);
sf::Color clButtonBorderDark(128, 128, 128, 255);
sf::Color clButtonText(0, 0, 0, 255);
sf::Color clButtonIcon(255, 255, 255, 255);
sf::Color clButtonPressedBack(127, 127, 228, 255);
sf::Color clButtonPressedBorderLight(255, 255, 255, 255);
sf::Color clButtonPressedBorderDark(128, 128, 128, 255);
sf::Color clHintBack(255, 255, 255, 192);
sf::Color clHintBorderLight(255, 255, 255, 192);
sf::Color clHintBorderDark(255, 255, 255, 192);
sf::Color clHintText(0, 0, 0, 255);
sf::Color clHintShadow(0, 0, 0, 192);
sf::Color clScrollBack(131, 131, 131, 255);
sf::Color clScrollBorderLight(71, 71, 71, 255);
sf::Color clScrollBorderDark(35, 35, 35, 255);
sf::Color clScrollDraggerBack(52, 81, 142, 255);
sf::Color clScrollDraggerBorderLight(64, 93, 152, 255);
sf::Color clScrollDraggerBorderDark(10, 36, 106, 255);
sf::Color clScrollbarPercentage75(0, 255, 0, 255);
sf::Color clScrollbarPercentage50(243, 115, 23, 255);
sf::Color clScrollbarPercentage25(255, 255, 0, 255);
sf::Color clScrollbarPercentage0(255, 0, 0, 255);
sf::Color clListBoxBack(219, 219, 219, 255);
sf::Color clListBoxBorderLight(111, 111, 111, 255);
sf::Color clListBoxBorderDark(255, 255, 255, 255);
sf::Color clListBoxText(0, 0, 0, 255);
sf::Color clListBoxSelectBack(0, 0, 0, 255);
sf::Color clListBoxSelectText(219, 219, 219, 255);
sf::Color clMenuBack(131, 131, 131, 255);
sf::Color clMenuText(35, 35, 35, 255);
sf::Color clMenuBorderLight(179, 179, 179, 255);
sf::Color clMenuBorderDark(79, 79, 79, 255);
sf::Color clMenuSelectBack(52, 81, 142, 255);
sf::Color clMenuSelectText(255, 255, 255, 255);
sf::Color clCoolMenuItemBack(255, 255, 255, 192);
sf::Color clCoolMenuItemBackSelected(0, 0, 128, 192);
sf::Color clCoolMenuItemText(0, 0, 0, 255);
sf::Color clCoolMenuItemTextSelected(255, 255, 255, 255);
sf::Color clCoolMenuTitleBack(0, 0, 128, 192);
sf::Color clCoolMenuTitleText(255, 255, 255, 255);
sf::Color clMessageWarning(243, 115, 23, 255);
sf::Color clMessageError(255, 0, 0, 255);
sf::Color clFileDialogPakText(192, 128, 0, 255);
sf::Color clFileDialogPakSelectText(192, 128, 0, 255);
sf::Color clInsTitleBarBack(3, 3, 255, 255);
sf::Color clInsTitleBarBorderLight(115, 115, 255, 255);
sf::Color clInsTitleBarBorderDark(3, 3, 203, 255);
sf::Color clInsTitleBarText(255, 255, 255, 255);
sf::Color clInsCellBack(231, 231, 231, 255);
sf::Color clInsCellBorderLight(255, 255, 255, 255);
sf::Color clInsCellBorderDark(3, 3, 255, 255);
sf::Color clInsCellText(107, 107, 107, 255);
sf::Color clInsMouseOverCellBack(255, 31, 31, 255);
sf::Color clInsMouseOverCellBorderLight(227, 3, 3, 255);
sf::Color clInsMouseOverCellBorderDark(255, 123, 123, 255);
sf::Color clInsMouseOverCellText(255, 255, 0, 255);
sf::Color clInsSectionBack(200, 200, 200, 255);
sf::Color clInsSectionBorderLight(255, 255, 255, 255);
sf::Color clInsSectionBorderDark(3, 3, 255, 255);
sf::Color clInsSectionText(0, 0, 0, 255);
sf::Color clInsSectionExpandBack(200, 200, 200, 255);
sf::Color clInsSectionExpandBorderLight(255, 255, 255, 255);
sf::Color clInsSectionExpandBorderDark(3, 3, 255, 255);
sf::Color clInsSectionExpandText(255, 255, 0, 255);
sf::Color clDialogBlurBack(47, 47, 47, 192);
sf::Color clEditorBack(58, 58, 58, 255);

namespace {

struct ThemeColour {
    const char* section;
    const char* key;
    sf::Color* colour;
    sf::Color fallback;
};

// In reading order: a colour may name one read before it.
const ThemeColour themeColours[] = {
    {"form", "clFormBack", &clFormBack, sf::Color(200, 200, 200, 255)},
    {"form", "clFormBorderLight", &clFormBorderLight, sf::Color(255, 255, 255, 255)},
    {"form", "clFormBorderDark", &clFormBorderDark, sf::Color(128, 128, 128, 255)},
    {"form", "clFormText", &clFormText, sf::Color(0, 0, 0, 255)},
    {"titleBar", "clTitleBarBack", &clTitleBarBack, sf::Color(52, 81, 142, 255)},
    {"titleBar", "clTitleBarBorderLight", &clTitleBarBorderLight, sf::Color(179, 179, 179, 255)},
    {"titleBar", "clTitleBarBorderDark", &clTitleBarBorderDark, sf::Color(79, 79, 79, 255)},
    {"titleBar", "clTitleBarText", &clTitleBarText, sf::Color(255, 255, 255, 255)},
    {"edit", "clEditBack", &clEditBack, sf::Color(255, 255, 255, 255)},
    {"edit", "clEditBorderLight", &clEditBorderLight, sf::Color(212, 208, 200, 255)},
    {"edit", "clEditBorderDark", &clEditBorderDark, sf::Color(0, 0, 0, 255)},
    {"edit", "clEditText", &clEditText, sf::Color(0, 0, 0, 255)},
    {"edit", "clEditTextDisabled", &clEditTextDisabled, sf::Color(128, 128, 128, 255)},
    {"button", "clButtonBack", &clButtonBack, sf::Color(200, 200, 200, 255)},
    {"button", "clButtonBorderLight", &clButtonBorderLight, sf::Color(255, 255, 255, 255)},
    {"button", "clButtonBorderDark", &clButtonBorderDark, sf::Color(128, 128, 128, 255)},
    {"button", "clButtonText", &clButtonText, sf::Color(0, 0, 0, 255)},
    {"button", "clButtonIcon", &clButtonIcon, sf::Color(255, 255, 255, 255)},
    {"button", "clButtonPressedBack", &clButtonPressedBack, sf::Color(127, 127, 228, 255)},
    {"button", "clButtonPressedBorderLight", &clButtonPressedBorderLight, sf::Color(255, 255, 255, 255)},
    {"button", "clButtonPressedBorderDark", &clButtonPressedBorderDark, sf::Color(128, 128, 128, 255)},
    {"hint", "clHintBack", &clHintBack, sf::Color(255, 255, 255, 192)},
    {"hint", "clHintBorderLight", &clHintBorderLight, sf::Color(255, 255, 255, 192)},
    {"hint", "clHintBorderDark", &clHintBorderDark, sf::Color(255, 255, 255, 192)},
    {"hint", "clHintText", &clHintText, sf::Color(0, 0, 0, 255)},
    {"hint", "clHintShadow", &clHintShadow, sf::Color(0, 0, 0, 192)},
    {"scrollbar", "clScrollBack", &clScrollBack, sf::Color(131, 131, 131, 255)},
    {"scrollbar", "clScrollBorderLight", &clScrollBorderLight, sf::Color(71, 71, 71, 255)},
    {"scrollbar", "clScrollBorderDark", &clScrollBorderDark, sf::Color(35, 35, 35, 255)},
    {"scrollbar", "clScrollDraggerBack", &clScrollDraggerBack, sf::Color(52, 81, 142, 255)},
    {"scrollbar", "clScrollDraggerBorderLight", &clScrollDraggerBorderLight, sf::Color(64, 93, 152, 255)},
    {"scrollbar", "clScrollDraggerBorderDark", &clScrollDraggerBorderDark, sf::Color(10, 36, 106, 255)},
    {"scrollbar", "clScrollbarPercentage75", &clScrollbarPercentage75, sf::Color(0, 255, 0, 255)},
    {"scrollbar", "clScrollbarPercentage50", &clScrollbarPercentage50, sf::Color(243, 115, 23, 255)},
    {"scrollbar", "clScrollbarPercentage25", &clScrollbarPercentage25, sf::Color(255, 255, 0, 255)},
    {"scrollbar", "clScrollbarPercentage0", &clScrollbarPercentage0, sf::Color(255, 0, 0, 255)},
    {"listBox", "clListBoxBack", &clListBoxBack, sf::Color(219, 219, 219, 255)},
    {"listBox", "clListBoxBorderLight", &clListBoxBorderLight, sf::Color(111, 111, 111, 255)},
    {"listBox", "clListBoxBorderDark", &clListBoxBorderDark, sf::Color(255, 255, 255, 255)},
    {"listBox", "clListBoxText", &clListBoxText, sf::Color(0, 0, 0, 255)},
    {"listBox", "clListBoxSelectBack", &clListBoxSelectBack, sf::Color(0, 0, 0, 255)},
    {"listBox", "clListBoxSelectText", &clListBoxSelectText, sf::Color(219, 219, 219, 255)},
    {"menu", "clMenuBack", &clMenuBack, sf::Color(131, 131, 131, 255)},
    {"menu", "clMenuText", &clMenuText, sf::Color(35, 35, 35, 255)},
    {"menu", "clMenuBorderLight", &clMenuBorderLight, sf::Color(179, 179, 179, 255)},
    {"menu", "clMenuBorderDark", &clMenuBorderDark, sf::Color(79, 79, 79, 255)},
    {"menu", "clMenuSelectBack", &clMenuSelectBack, sf::Color(52, 81, 142, 255)},
    {"menu", "clMenuSelectText", &clMenuSelectText, sf::Color(255, 255, 255, 255)},
    {"coolMenu", "clCoolMenuItemBack", &clCoolMenuItemBack, sf::Color(255, 255, 255, 192)},
    {"coolMenu", "clCoolMenuItemBackSelected", &clCoolMenuItemBackSelected, sf::Color(0, 0, 128, 192)},
    {"coolMenu", "clCoolMenuItemText", &clCoolMenuItemText, sf::Color(0, 0, 0, 255)},
    {"coolMenu", "clCoolMenuItemTextSelected", &clCoolMenuItemTextSelected, sf::Color(255, 255, 255, 255)},
    {"coolMenu", "clCoolMenuTitleBack", &clCoolMenuTitleBack, sf::Color(0, 0, 128, 192)},
    {"coolMenu", "clCoolMenuTitleText", &clCoolMenuTitleText, sf::Color(255, 255, 255, 255)},
    {"messages", "clMessageWarning", &clMessageWarning, sf::Color(243, 115, 23, 255)},
    {"messages", "clMessageError", &clMessageError, sf::Color(255, 0, 0, 255)},
    {"fileDialog", "clFileDialogPakText", &clFileDialogPakText, sf::Color(192, 128, 0, 255)},
    {"fileDialog", "clFileDialogPakSelectText", &clFileDialogPakSelectText, sf::Color(192, 128, 0, 255)},
    {"inspector", "clInsTitleBarBack", &clInsTitleBarBack, sf::Color(3, 3, 255, 255)},
    {"inspector", "clInsTitleBarBorderLight", &clInsTitleBarBorderLight, sf::Color(115, 115, 255, 255)},
    {"inspector", "clInsTitleBarBorderDark", &clInsTitleBarBorderDark, sf::Color(3, 3, 203, 255)},
    {"inspector", "clInsTitleBarText", &clInsTitleBarText, sf::Color(255, 255, 255, 255)},
    {"inspector", "clInsCellBack", &clInsCellBack, sf::Color(231, 231, 231, 255)},
    {"inspector", "clInsCellBorderLight", &clInsCellBorderLight, sf::Color(255, 255, 255, 255)},
    {"inspector", "clInsCellBorderDark", &clInsCellBorderDark, sf::Color(3, 3, 255, 255)},
    {"inspector", "clInsCellText", &clInsCellText, sf::Color(107, 107, 107, 255)},
    {"inspector", "clInsMouseOverCellBack", &clInsMouseOverCellBack, sf::Color(255, 31, 31, 255)},
    {"inspector", "clInsMouseOverCellBorderLight", &clInsMouseOverCellBorderLight, sf::Color(227, 3, 3, 255)},
    {"inspector", "clInsMouseOverCellBorderDark", &clInsMouseOverCellBorderDark, sf::Color(255, 123, 123, 255)},
    {"inspector", "clInsMouseOverCellText", &clInsMouseOverCellText, sf::Color(255, 255, 0, 255)},
    {"inspector", "clInsSectionBack", &clInsSectionBack, sf::Color(200, 200, 200, 255)},
    {"inspector", "clInsSectionBorderLight", &clInsSectionBorderLight, sf::Color(255, 255, 255, 255)},
    {"inspector", "clInsSectionBorderDark", &clInsSectionBorderDark, sf::Color(3, 3, 255, 255)},
    {"inspector", "clInsSectionText", &clInsSectionText, sf::Color(0, 0, 0, 255)},
    {"inspector", "clInsSectionExpandBack", &clInsSectionExpandBack, sf::Color(200, 200, 200, 255)},
    {"inspector", "clInsSectionExpandBorderLight", &clInsSectionExpandBorderLight, sf::Color(255, 255, 255, 255)},
    {"inspector", "clInsSectionExpandBorderDark", &clInsSectionExpandBorderDark, sf::Color(3, 3, 255, 255)},
    {"inspector", "clInsSectionExpandText", &clInsSectionExpandText, sf::Color(255, 255, 0, 255)},
    {"other", "clDialogBlurBack", &clDialogBlurBack, sf::Color(47, 47, 47, 192)},
    {"other", "clEditorBack", &clEditorBack, sf::Color(58, 58, 58, 255)},
};

bool themeLoadedOnce = false;

} // namespace

Notifier themeChanged;

void resetTheme()
{
    themeName = "Unamed theme";
    darkTheme = false;
    coolMenuAnimateCurrentIcon = true;
    hintShadowOffset = 8.0f;
    for (const ThemeColour& t : themeColours)
        *t.colour = t.fallback;
}

bool loadTheme()
{
    IniFile ini;
    ini.load(uiConfigPath);
    ini.setSection("options");
    bool found = false;
    const std::string& name = ini.getValue("themeName", &found);
    themeName = found ? name : "Unamed theme";
    const std::string& dark = ini.getValue("darkTheme", &found);
    darkTheme = found ? iniBool(dark) : false;
    const std::string& animate = ini.getValue("coolMenuAnimateCurrentIcon", &found);
    coolMenuAnimateCurrentIcon = found ? iniBool(animate) : true;
    const std::string& offset = ini.getValue("hintShadowOffset", &found);
    hintShadowOffset = found ? stringToFloat(offset) : 8.0f;

    ini.namedColours = true;
    for (const ThemeColour& t : themeColours) {
        ini.setSection(t.section);
        *t.colour = ini.getColour(t.key, t.fallback);
    }
    writeLog("Loaded UI config from " + uiConfigPath);

    if (themeLoadedOnce)
        themeChanged.notify();
    themeLoadedOnce = true;
    return true;
}

} // namespace kv
