// The window and its display modes, and resolution emulation.
#include "core/Framework.h"

#include "core/FrameUpdate.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/StringUtils.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/Context.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>

namespace kv {

LazyObject<sf::RenderWindow> renderWindow;
bool displayWindowed = false;
bool showFPS = false;
bool emulatingResolution = false;
int emulatedViewWidth = 0;
int emulatedViewHeight = 0;
Notifier displayModeChanged;

namespace {
sf::View emulatedView;
bool firstDisplayModeSet = false;

// Runs work with SFML's error stream held in a buffer; gives back what SFML wrote.
std::string holdSFMLErrors(const std::function<void()>& work)
{
    std::stringbuf held;
    std::streambuf* errors = sf::err().rdbuf(&held);
    work();
    sf::err().rdbuf(errors);
    return held.str();
}

// The antialiasing level the driver gives a context asked for context's settings, at most the
// one asked for. The probe's warning about a shortfall is what we ask it for, not an error.
unsigned supportedAntialiasing(const sf::ContextSettings& context)
{
    if (context.antialiasingLevel == 0)
        return 0;
    unsigned level = 0;
    holdSFMLErrors([&] {
        sf::Context probe(context, 1, 1);
        level = probe.getSettings().antialiasingLevel;
    });
    return std::min(level, context.antialiasingLevel);
}

// Creates the window. SFML switches vertical sync off on every new window, and a driver that
// cannot set it says so (once per run) although it is off: that line goes to the log alone,
// everything else SFML says goes on to its error stream.
void createWindow(const sf::VideoMode& mode, const sf::String& caption, sf::Uint32 style,
                  const sf::ContextSettings& context)
{
    static const std::string vsyncLine = "Setting vertical sync not supported";
    std::istringstream said(holdSFMLErrors([&] { renderWindow->create(mode, caption, style, context); }));
    for (std::string line; std::getline(said, line);) {
        if (line == vsyncLine)
            writeLog("This display cannot set vertical sync.");
        else
            sf::err() << line << std::endl;
    }
}

// The desktop as it was before our first window: while a fullscreen mode of ours is on, the
// desktop mode reported is that mode.
sf::Vector2u desktopSize()
{
    static const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    return {desktop.width, desktop.height};
}
} // namespace

Emulation computeEmulation(float W, float H, int width, int height)
{
    Emulation e;
    float w = static_cast<float>(std::max(width, 640));
    float h = static_cast<float>(std::max(height, 480));
    if (W <= 0 || H <= 0) {
        e.viewWidth = w;
        e.viewHeight = h;
        return e;
    }
    // Widen whichever side keeps the whole request visible: compare aspects, not orientation.
    if (W / H >= w / h)
        w = W / H * h;
    else
        h = H / W * w;
    float scale = std::min(W / w, H / h);
    e.viewWidth = w;
    e.viewHeight = h;
    e.viewportLeft = (W - w * scale) / 2 / W;
    e.viewportTop = (H - h * scale) / 2 / H;
    e.viewportWidth = w * scale / W;
    e.viewportHeight = h * scale / H;
    return e;
}

sf::Vector2u fitWindowSize(int width, int height, sf::Vector2u desktop)
{
    auto fit = [](int asked, unsigned most, unsigned least) {
        return std::max(std::min(static_cast<unsigned>(std::max(asked, 0)), most), least);
    };
    return {fit(width, desktop.x, 640), fit(height, desktop.y, 480)};
}

sf::Vector2i centredWindowPosition(sf::Vector2u window, sf::Vector2u desktop)
{
    auto centre = [](unsigned size, unsigned room) { return size >= room ? 0 : static_cast<int>((room - size) / 2); };
    return {centre(window.x, desktop.x), centre(window.y, desktop.y)};
}

sf::Vector2i fitEmulatedSize(int width, int height, float windowWidth, float windowHeight,
                             unsigned maxTextureSize)
{
    sf::Vector2i size(std::max(width, 640), std::max(height, 480));
    Emulation e = computeEmulation(windowWidth, windowHeight, size.x, size.y);
    // Textures are made from the view's whole pixels.
    const double widest = std::floor(std::max(e.viewWidth, e.viewHeight));
    if (widest > maxTextureSize) {
        size.x = static_cast<int>(static_cast<double>(size.x) * maxTextureSize / widest);
        size.y = static_cast<int>(static_cast<double>(size.y) * maxTextureSize / widest);
    }
    return size;
}

namespace KVCore {

bool setDisplayMode(int width, int height, unsigned bpp, bool windowed)
{
    focusLost = false;
    sf::ContextSettings context;
    context.depthBits = 0;
    context.stencilBits = 8;
    context.antialiasingLevel = static_cast<unsigned>(settings.antialiasingLevel);
    // Asking for more than the driver has gets a context anyway, plus SFML's warning.
    context.antialiasingLevel = supportedAntialiasing(context);

    sf::Vector2u size = fitWindowSize(width, height, desktopSize());
    unsigned w = size.x, h = size.y;
    if (static_cast<int>(w) < width || static_cast<int>(h) < height)
        writeLog(formatString("A %d by %d window is larger than the desktop; asking for %u by %u", width, height,
                              w, h));
    sf::String caption = sf::String::fromUtf8(appName.begin(), appName.end());
    // Close alone may leave X11 windows without a title bar.
    sf::Uint32 style = windowed ? (sf::Style::Titlebar | sf::Style::Close) : sf::Style::Fullscreen;
    createWindow(sf::VideoMode(w, h, bpp), caption, style, context);
    // SFML 2.5 places a new window by the desktop's width in both directions, so a tall window
    // starts partly below the screen's edge where no window manager moves it.
    if (windowed)
        renderWindow->setPosition(centredWindowPosition(renderWindow->getSize(), desktopSize()));

    sf::VideoMode best = getFullscreenMode(0);
    if (best.width == w && best.height == h) {
        settings.width = 0;
        settings.height = 0;
    } else {
        settings.width = static_cast<int>(w);
        settings.height = static_cast<int>(h);
    }
    settings.bpp = static_cast<int>(bpp);
    settings.window = windowed;

    renderWindow->setFramerateLimit(static_cast<unsigned>(settings.fpsLimit));
    frameRateLimit = static_cast<unsigned>(settings.fpsLimit);
    // The new window's vertical sync is off already.
    if (settings.vsyncEnabled)
        renderWindow->setVerticalSyncEnabled(true);

    showFPS = settings.displayFPS;
    displayWindowed = windowed;

    sf::Vector2f viewSize = renderWindow->getView().getSize();
    writeLog(formatString(windowed ? "Switched to windowed display resolution %d by %d"
                                   : "Switched to fullscreen display resolution %d by %d",
                          static_cast<int>(viewSize.x), static_cast<int>(viewSize.y)));

    if (firstDisplayModeSet)
        displayModeChanged.notify();
    firstDisplayModeSet = true;
    return renderWindow->isOpen();
}

void emulateResolution(int width, int height, int, bool storeInSettings)
{
    sf::Vector2u window = renderWindow->getSize();
    const float W = static_cast<float>(window.x), H = static_cast<float>(window.y);
    // What is drawn at the view's size, plus a margin and rounded up to a power of two (the
    // game's terrain cache), must still make a texture: the view takes at most half the largest.
    const unsigned most = sf::Texture::getMaximumSize() / 2;
    sf::Vector2i size = fitEmulatedSize(width, height, W, H, most);
    if (size.x < width || size.y < height)
        writeLog(formatString("Emulating %d by %d needs textures larger than %u; emulating %d by %d", width,
                              height, most, size.x, size.y));
    if (storeInSettings) {
        settings.emulatedWidth = size.x;
        settings.emulatedHeight = size.y;
    }
    Emulation e = computeEmulation(W, H, size.x, size.y);
    emulatedView.reset(sf::FloatRect(0, 0, e.viewWidth, e.viewHeight));
    emulatedView.setViewport(sf::FloatRect(e.viewportLeft, e.viewportTop, e.viewportWidth, e.viewportHeight));
    emulatingResolution = true;
    applyEmulatedView();
    emulatedViewWidth = static_cast<int>(e.viewWidth);
    emulatedViewHeight = static_cast<int>(e.viewHeight);
    writeLog(formatString("Emulating display resolution %d by %d (adjusted for aspect)", emulatedViewWidth,
                          emulatedViewHeight));
}

void applyEmulatedView()
{
    if (emulatingResolution)
        renderWindow->setView(emulatedView);
}

sf::VideoMode getFullscreenMode(int index)
{
    const std::vector<sf::VideoMode>& modes = sf::VideoMode::getFullscreenModes();
    if (index < 0 || static_cast<size_t>(index) >= modes.size())
        return sf::VideoMode(0, 0, 0);
    return modes[static_cast<size_t>(index)];
}

} // namespace KVCore

} // namespace kv
