// The program-wide objects that exist before main, and the on-quit callbacks.
#include "core/Framework.h"

#include "platform/MessageBox.h"

#include <vector>

namespace kv {

std::string appName = "My app";
std::string appVersion = "0.0";
std::string appWebsite = "https://example.org/";
std::string appCredits;
std::string uiConfigPath = "uiConfig.ini";
sf::Clock programClock;
bool frameworkInitialised = false;
bool imguiEnabled = false;

namespace {
std::vector<std::function<void()>> onQuitCallbacks;
} // namespace

void registerOnQuitCallback(std::function<void()> callback)
{
    onQuitCallbacks.push_back(std::move(callback));
}

void runOnQuitCallbacks()
{
    for (auto& callback : onQuitCallbacks)
        callback();
}

void showErrorBox(const std::string& text)
{
    showPlainMessageBox(text, "Error");
}

} // namespace kv
