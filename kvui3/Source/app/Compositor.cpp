#include "app/Compositor.h"

#include "app/FramePump.h"
#include "app/WindowLog.h"
#include "core/Framework.h"
#include "core/Input.h"
#include "core/Log.h"
#include "core/StringUtils.h"
#include "graphics/DrawPrimitives.h"
#include "graphics/ImGuiBackend.h"
#include "graphics/Lights.h"
#include "graphics/MessageDisplay.h"
#include "graphics/RenderLayers.h"
#include "graphics/ShaderUniforms.h"
#include "graphics/Shaders.h"
#include "graphics/Text.h"
#include "platform/FileSystem.h"
#include "ui/Console.h"
#include "ui/Hints.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdio>
#include <cstring>

namespace kv {

FpsCounter fpsCounter;
LazyObject<sf::Text> fpsText;
LazyObject<sf::RectangleShape> fpsBackground;
float fpsTextWidth = 0;
float fpsLineSpacing = 0;
bool fpsTextReady = false;
sf::Sprite cursorSprites[5];
uint32_t frameNumber = 0;
bool modalDialogRunning = false;

namespace {

const sf::Color transparent(0, 0, 0, 0);
const sf::Color opaqueBlack(0, 0, 0, 255);

// -1 until the first frame sets it; only changes reach the window system.
int cursorShown = -1;
uint32_t fpsTextRate = UINT32_MAX; // the rate the text was last set to
LazyObject<sf::Texture> shownFrame;

void keepShownFrame()
{
    const sf::Vector2u size = renderWindow->getSize();
    if (size.x == 0 || size.y == 0)
        return;
    if (shownFrame->getSize() != size && !shownFrame->create(size.x, size.y))
        return;
    // Through the render window, which binds its own frame buffer: a layer's render texture may
    // still be bound in the shared context, and the copy would read that instead.
    if (renderWindow->setActive(true))
        shownFrame->update(*renderWindow);
}

RenderLayer& layer(RenderLayerId id)
{
    return *getRenderLayer(id, true);
}

void setCursorVisible(bool visible)
{
    if (cursorShown == static_cast<int>(visible))
        return;
    cursorShown = visible;
    if (renderWindow.isBuilt())
        renderWindow->setMouseCursorVisible(visible);
}

void drawCursor(int cursorKind, sf::RenderTarget& onto)
{
    if (cursorKind == 0) {
        setCursorVisible(true);
        return;
    }
    if (cursorKind < 1 || cursorKind > 4)
        return;
    setCursorVisible(false);
    if (cursorKind == 1)
        return;
    if (input.focus)
        mousePosition = input.pointer;
    sf::Vector2f at = InputHooks::mapPixelToView(mousePosition);
    sf::Sprite& sprite = cursorSprites[cursorKind];
    sprite.setPosition(static_cast<float>(static_cast<int>(at.x)), static_cast<float>(static_cast<int>(at.y)));
    onto.draw(sprite);
}

void thermalPass(sf::RenderTarget& onto)
{
    RenderLayer& thermal = layer(layerThermalImaging);
    sf::RenderTexture* texture = thermal.drawnTo ? thermal.renderTexture() : nullptr;
    if (!texture)
        return;
    texture->display();
    sf::RenderStates states;
    states.texture = &texture->getTexture();
    // The slot is read every time, so a program mended with Ctrl+F12 is picked up.
    ShaderSlot& slot = getShaderSlot(shaderThermalImaging);
    if (slot.loaded && slot.shader) {
        CachedShader& shader = *slot.shader;
        shader.setUniformCurrentTexture(shader.getUniformLocation(shaderUniforms::ThermalImaging::texture.name));
        int useAlpha = shader.getUniformLocation(shaderUniforms::ThermalImaging::useThermalAlpha.name);
        if (useAlpha >= 0)
            shader.setUniform1i(useAlpha, 0);
        states.shader = &shader;
    }
    const sf::View& view = onto.getView();
    sf::Vector2f topLeft = view.getCenter() - view.getSize() / 2.0f;
    drawTextureWithStates(topLeft.x, topLeft.y, topLeft.x + view.getSize().x - 1, topLeft.y + view.getSize().y - 1,
                          states, sf::IntRect());
    thermal.clear(transparent);
}

void drawFps(sf::RenderTarget& onto)
{
    if (!showFPS || !fpsTextReady)
        return;
    sf::Text& text = *fpsText;
    if (fpsTextRate != fpsCounter.shownRate) {
        fpsTextRate = fpsCounter.shownRate;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%u FPS", fpsTextRate);
        text.setString(buffer);
    }
    const sf::FloatRect box = fpsTextBox(onto.getView().getSize(), fpsTextWidth, fpsLineSpacing);
    text.setPosition(box.left + 5, box.top + 5);
    sf::FloatRect bounds = text.getGlobalBounds();
    fpsBackground->setPosition(bounds.left - 5, bounds.top - 5);
    fpsBackground->setSize(sf::Vector2f(bounds.width + 10, bounds.height + 10));
    onto.draw(*fpsBackground);
    onto.draw(text);
}

bool windowOpen()
{
    return renderWindow.isBuilt() && renderWindow->isOpen();
}

// SFML 2.5 does not check its own writes: on a full disk it reports success over an empty or
// cut file. A PNG that reached the disk whole ends with its IEND chunk.
bool pngIsWhole(const std::string& path)
{
    static const unsigned char iend[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    unsigned char tail[12] = {};
    FILE* f = openFile(path, "rb");
    if (!f)
        return false;
    const bool read = std::fseek(f, -12, SEEK_END) == 0 && std::fread(tail, 1, sizeof tail, f) == sizeof tail;
    std::fclose(f);
    return read && std::memcmp(tail, iend, sizeof tail) == 0;
}

} // namespace

void FpsCounter::countFrame(double nowSeconds)
{
    ++count;
    if (nowSeconds - secondStart >= 1.0) {
        shownRate = count;
        count = 0;
        secondStart = nowSeconds;
    }
}

void initFpsText()
{
    if (fpsTextReady)
        return;
    fpsText->setFont(*mediumFont);
    fpsText->setCharacterSize(24);
    fpsText->setFillColor(sf::Color::White);
    fpsTextWidth = digitsWidth(*mediumFont, 24, 8);
    fpsLineSpacing = mediumFont->getLineSpacing(24);
    fpsBackground->setFillColor(sf::Color(0, 0, 0, 192));
    fpsTextReady = true;
}

sf::FloatRect fpsTextBox(sf::Vector2f viewSize, float textWidth, float lineSpacing)
{
    const sf::Vector2f size(textWidth + 10, lineSpacing + 10);
    return {viewSize.x - 10 - size.x, viewSize.y - 10 - size.y, size.x, size.y};
}

void displayFrame(int cursorKind)
{
    const float dt = frameTime;
    if (renderLayerDebugOpen && imguiEnabled)
        drawRenderLayerDebug();

    // Everything is composed into the display layer's target; without one nothing is drawn.
    RenderLayer& display = layer(layerDisplay);
    if (sf::RenderTarget* onto = display.target) {
        for (RenderLayerId id = layerGroundLow; id <= layerAir; ++id)
            if (layer(id).drawnTo)
                layer(id).replay(*onto);
        drawCursor(cursorKind, *onto);
        RenderLayer& nightVision = layer(layerNightVision);
        if (nightVision.drawnTo) {
            nightVision.replay(*onto);
            nightVision.clear(transparent);
        }
        lightingPass(dt);
        for (RenderLayerId id = layerGroundLow; id <= layerAir; ++id)
            layer(id).clear(transparent);
        thermalPass(*onto);

        // Above the frame's interface; while a dialog runs, beneath the dialog (on its backdrop).
        drawMessages(consoleDrawn, modalDialogRunning ? layerDisplay : layerUI);
        consoleDrawn = false;

        RenderLayer& ui = layer(layerUI);
        if (ui.drawnTo) {
            ui.replay(*onto);
            if (!screenshotRequested)
                ui.clear(transparent);
        }
        RenderLayer& uiLighting = layer(layerUILighting);
        if (uiLighting.drawnTo) {
            if (const sf::Sprite* sprite = uiLighting.finishedSprite())
                getRenderLayer(layerDisplay, false)->draw(*sprite, sf::RenderStates(sf::BlendAdd));
            if (!screenshotRequested)
                uiLighting.clear(opaqueBlack);
        }
    }

    fpsCounter.countFrame(programClock.getElapsedTime().asSeconds());

    if (dt > 0 && imguiEnabled && windowOpen()) {
        ImGui::SFML::Render(*renderWindow);
        ImGui::SFML::Update(*renderWindow, sf::seconds(dt));
    }

    // The frame is kept before the hints and the frame rate: they belong to the moment (the
    // pointer's place, the current rate), and a dialog's backdrop would show them frozen.
    // A copy costs a whole-window read (about 2 ms a frame on a software renderer), so it is
    // kept in the frames that follow a tick: what opens a dialog is a tick's input, and the
    // frame it dims is then at most one tick old.
    if (windowOpen() && (pollerTicked || lastShownFrame().getSize() != renderWindow->getSize()))
        keepShownFrame();

    for (const Hint& hint : hints)
        drawHint(hint.position, hint.textColour, hint.backColour, hint.text);
    if (display.target)
        drawFps(*display.target);

    if (screenshotRequested) {
        screenshotRequested = false;
        takeScreenshot();
        layer(layerUI).clear(transparent);
        layer(layerUILighting).clear(opaqueBlack);
    }

    if (windowOpen()) {
        renderWindow->display();
        writeShownWindowLines();
    }
    pumpFrame();
    ++frameNumber;
}

const sf::Texture& lastShownFrame()
{
    return *shownFrame;
}

std::string chooseScreenshotName(const std::tm& utc, const std::function<bool(const std::string&)>& exists)
{
    const int year = utc.tm_year + 1900, month = utc.tm_mon + 1;
    std::string name = formatString("screenshot_%04d%02d%02d_%02d%02d%02d.png", year, month, utc.tm_mday,
                                    utc.tm_hour, utc.tm_min, utc.tm_sec);
    for (int suffix = 1; exists(name); ++suffix) {
        if (suffix > 9999)
            return "";
        name = formatString("screenshot_%04d%02d%02d_%02d%02d%02d_%02d.png", year, month, utc.tm_mday, utc.tm_hour,
                            utc.tm_min, utc.tm_sec, suffix);
    }
    return name;
}

void takeScreenshot()
{
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::string name = chooseScreenshotName(utc, [](const std::string& file) { return fileExists(file); });
    if (name.empty()) {
        printError("Run out of screenshot filenames!");
        return;
    }
    if (!windowOpen())
        return;
    sf::Vector2u size = renderWindow->getSize();
    sf::Texture texture;
    if (!texture.create(size.x, size.y)) {
        printError(formatString("Unable to create %d by %d screenshot texture", static_cast<int>(size.x),
                                static_cast<int>(size.y)));
        return;
    }
    texture.update(*renderWindow);
    sf::Image image = texture.copyToImage();
    if (image.getSize().x == 0 || image.getSize().y == 0) {
        printError(formatString("Unable to create %d by %d screenshot image", static_cast<int>(size.x),
                                static_cast<int>(size.y)));
        return;
    }
    if (image.saveToFile(name) && pngIsWhole(name)) {
        printMessage("Saved screenshot to " + name);
        writeLog("Saved screenshot to " + name);
        return;
    }
    std::remove(resolvePath(name).c_str());
    printError("Unable to save screenshot to " + name);
}

} // namespace kv
