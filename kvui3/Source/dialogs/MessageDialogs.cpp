// The message box and the yes/no question: a form with the text in a passive list and one or
// two buttons under it.
#include "dialogs/Dialogs.h"
#include "dialogs/ModalBackdrop.h"

#include "app/Compositor.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Log.h"
#include "core/Messages.h"
#include "graphics/Text.h"
#include "graphics/Textures.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ListBox.h"

#include <SFML/Window/Keyboard.hpp>
#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace kv {

namespace {

constexpr int iconYes = 175;
constexpr int iconNo = 91;

// The form of a message or question -- 80 % of the view wide but at most 950, eight lines high,
// centred -- with its text as a borderless, passive list under the title.
struct TextPanel {
    sf::Vector2f position, size;
    Form form;
    ListBox list;

    TextPanel(const std::string& title, const std::string& text)
    {
        const sf::Vector2f view = renderWindow->getView().getSize();
        const float ls = componentLineSpacing();
        size = {std::min(view.x * 0.8f, 950.0f), ls * 8};
        position = {(view.x - size.x) / 2, (view.y - size.y) / 2};
        form.create(position, size, title);
        list.createWithRows({position.x + 5, position.y + ls * 1.5f}, size.x - 10, 4);
        list.addWrappedText(text);
        list.selectable = false;
        list.keyboard = false;
        list.showPanel = false;
        list.followScroll = false;
    }
    sf::FloatRect area() const { return {position, size}; }
    void updateAndDraw()
    {
        form.update();
        form.draw();
        list.update();
        list.draw();
    }
};

sf::Vector2f answerButtonSize()
{
    return {digitsWidth(*standardFont, componentTextSize, 8) + 32, 38};
}

// An answer button at x on the panel's bottom row.
void makeButton(Button& button, const std::string& text, int icon, uint32_t key, float x, const TextPanel& panel)
{
    const sfSprite sprite(Icons::getIcon(icon));
    const sf::Vector2f size = answerButtonSize();
    const sf::Vector2f at(x, panel.position.y + panel.size.y - size.y - componentLineSpacing() / 4);
    button.create(text, &sprite, &at, key, "", false);
    button.setSize(size);
    button.setPosition(at);
}

} // namespace

void showMessage(const std::string& text)
{
    if (!renderWindow.isBuilt() || !renderWindow->isOpen()) {
        printError(text);
        return;
    }
    writeLog("Message: " + text);
    ModalScope scope;
    TextPanel panel("Message", text);
    Button ok;
    const float viewWidth = renderWindow->getView().getSize().x;
    makeButton(ok, "OK", iconYes, sf::Keyboard::Enter, (viewWidth - answerButtonSize().x) / 2, panel);

    ModalBackdrop backdrop;
    backdrop.capture();
    WindowLog log("Message");
    log.shown(panel.area());
    bool done = false;
    while (!done) {
        drawModalBackground(backdrop);
        panel.updateAndDraw();
        ok.update();
        ok.draw();
        done = ok.clicked;
        displayFrame(0);
    }
}

void showMessagef(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    // Cut at the buffer, never past it.
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    showMessage(text);
}

int showConfirmDialog(const std::string& text)
{
    if (!renderWindow.isBuilt() || !renderWindow->isOpen())
        return 0;
    writeLog("Confirm: " + text);
    ModalScope scope;
    TextPanel panel("Confirm", text);
    const float viewWidth = renderWindow->getView().getSize().x;
    const sf::Vector2f size = answerButtonSize();
    const float yesX = (viewWidth - size.x - size.x - 5) / 2;
    Button yes, no;
    makeButton(yes, "Yes", iconYes, sf::Keyboard::Enter, yesX, panel);
    makeButton(no, "No", iconNo, sf::Keyboard::Escape, yesX + size.x + 5, panel);

    ModalBackdrop backdrop;
    backdrop.capture();
    // The Escape that may have asked the question must not answer it, nor its key repeats.
    Keyboard::pressedKeys.clear();
    if (input.focus && input.keyDown(sf::Keyboard::Escape))
        Keyboard::waitForKeyRelease(sf::Keyboard::Escape);

    WindowLog log("Confirm");
    log.shown(panel.area());
    int answer = -1;
    while (answer < 0) {
        drawModalBackground(backdrop);
        panel.updateAndDraw();
        yes.update();
        yes.draw();
        no.update();
        no.draw();
        // Both in one frame answers No.
        if (no.clicked)
            answer = 0;
        else if (yes.clicked)
            answer = 1;
        else if (input.focus && Keyboard::keyPressed(sf::Keyboard::Space, true)) {
            Keyboard::waitForKeyRelease(sf::Keyboard::Space);
            answer = 1;
        }
        displayFrame(0);
    }
    writeLog(answer ? "Confirm: Yes" : "Confirm: No");
    return answer;
}

} // namespace kv
