#include "graphics/ImGuiBackend.h"

#include "core/Framework.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

#include <imgui.h>
#include <backends/imgui_impl_opengl2.h>

#include <cfloat>

namespace ImGui {
namespace SFML {

namespace {

constexpr int mouseButtons = sf::Mouse::ButtonCount; // 5, in ImGui's order (left, right, middle, x1, x2)
static_assert(mouseButtons <= static_cast<int>(sizeof(ImGuiIO::MouseDown) / sizeof(bool)));
static_assert(sf::Keyboard::KeyCount <= static_cast<int>(sizeof(ImGuiIO::KeysDown) / sizeof(bool)));

struct BackendState {
    sf::RenderWindow* window = nullptr; // the one Init was given
    bool createdContext = false;
    bool rendererStarted = false;
    bool frameStarted = false;
    bool buttonHeld[mouseButtons] = {};
    // A press and its release within one frame must still reach ImGui as a click.
    bool buttonPressed[mouseButtons] = {};
};

BackendState state;

void mapKeys(ImGuiIO& io)
{
    io.KeyMap[ImGuiKey_Tab] = sf::Keyboard::Tab;
    io.KeyMap[ImGuiKey_LeftArrow] = sf::Keyboard::Left;
    io.KeyMap[ImGuiKey_RightArrow] = sf::Keyboard::Right;
    io.KeyMap[ImGuiKey_UpArrow] = sf::Keyboard::Up;
    io.KeyMap[ImGuiKey_DownArrow] = sf::Keyboard::Down;
    io.KeyMap[ImGuiKey_PageUp] = sf::Keyboard::PageUp;
    io.KeyMap[ImGuiKey_PageDown] = sf::Keyboard::PageDown;
    io.KeyMap[ImGuiKey_Home] = sf::Keyboard::Home;
    io.KeyMap[ImGuiKey_End] = sf::Keyboard::End;
    io.KeyMap[ImGuiKey_Insert] = sf::Keyboard::Insert;
    io.KeyMap[ImGuiKey_Delete] = sf::Keyboard::Delete;
    io.KeyMap[ImGuiKey_Backspace] = sf::Keyboard::BackSpace;
    io.KeyMap[ImGuiKey_Space] = sf::Keyboard::Space;
    io.KeyMap[ImGuiKey_Enter] = sf::Keyboard::Enter;
    io.KeyMap[ImGuiKey_Escape] = sf::Keyboard::Escape;
    io.KeyMap[ImGuiKey_A] = sf::Keyboard::A;
    io.KeyMap[ImGuiKey_C] = sf::Keyboard::C;
    io.KeyMap[ImGuiKey_V] = sf::Keyboard::V;
    io.KeyMap[ImGuiKey_X] = sf::Keyboard::X;
    io.KeyMap[ImGuiKey_Y] = sf::Keyboard::Y;
    io.KeyMap[ImGuiKey_Z] = sf::Keyboard::Z;
}

void releaseButtons()
{
    for (int i = 0; i < mouseButtons; ++i)
        state.buttonHeld[i] = state.buttonPressed[i] = false;
}

// A frame begun before the window was made again, drawn on the new one, lands in the wrong place,
// and so does every frame after it: begin it again on the new window.
void restartFrame()
{
    if (state.window && state.frameStarted)
        Update(*state.window, sf::Time::Zero);
}

} // namespace

bool Init(sf::RenderWindow& window, bool loadDefaultFont)
{
    if (!window.setActive(true))
        return false;
    if (!ImGui::GetCurrentContext()) {
        ImGui::CreateContext();
        state.createdContext = true;
    }
    ImGuiIO& io = ImGui::GetIO();
    io.BackendPlatformName = "kvui3_sfml";
    mapKeys(io);
    if (loadDefaultFont)
        io.Fonts->AddFontDefault();
    releaseButtons();
    state.window = &window;
    static bool followsDisplayMode = false;
    if (!followsDisplayMode) {
        followsDisplayMode = true;
        kv::displayModeChanged.subscribe(restartFrame);
    }
    state.rendererStarted = ImGui_ImplOpenGL2_Init();
    return state.rendererStarted;
}

void ProcessEvent(const sf::Window&, const sf::Event& event)
{
    if (!ImGui::GetCurrentContext())
        return;
    ImGuiIO& io = ImGui::GetIO();
    switch (event.type) {
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased:
        if (event.key.code >= 0 && event.key.code < sf::Keyboard::KeyCount)
            io.KeysDown[event.key.code] = event.type == sf::Event::KeyPressed;
        break;
    case sf::Event::TextEntered:
        // X11 sends control codes (Delete 127, Ctrl+letters); text fields take none of them.
        if (event.text.unicode >= 32 && event.text.unicode != 127)
            io.AddInputCharacter(event.text.unicode);
        break;
    case sf::Event::MouseMoved:
        io.MousePos = ImVec2(static_cast<float>(event.mouseMove.x), static_cast<float>(event.mouseMove.y));
        break;
    case sf::Event::MouseLeft:
        io.MousePos = ImVec2(-FLT_MAX, -FLT_MAX);
        break;
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased: {
        const int button = event.mouseButton.button;
        if (button < 0 || button >= mouseButtons)
            break;
        const bool pressed = event.type == sf::Event::MouseButtonPressed;
        state.buttonHeld[button] = pressed;
        if (pressed)
            state.buttonPressed[button] = true;
        io.MousePos = ImVec2(static_cast<float>(event.mouseButton.x), static_cast<float>(event.mouseButton.y));
        break;
    }
    case sf::Event::MouseWheelScrolled:
        if (event.mouseWheelScroll.wheel == sf::Mouse::HorizontalWheel)
            io.MouseWheelH += event.mouseWheelScroll.delta;
        else
            io.MouseWheel += event.mouseWheelScroll.delta;
        break;
    case sf::Event::LostFocus:
        releaseButtons();
        io.AddFocusEvent(false);
        break;
    case sf::Event::GainedFocus:
        io.AddFocusEvent(true);
        break;
    default:
        break;
    }
}

void Update(sf::RenderWindow& window, sf::Time dt)
{
    if (!ImGui::GetCurrentContext() || !state.rendererStarted)
        return;
    ImGuiIO& io = ImGui::GetIO();
    const sf::Vector2u size = window.getSize();
    io.DisplaySize = ImVec2(static_cast<float>(size.x), static_cast<float>(size.y));
    io.DisplayFramebufferScale = ImVec2(1.0f, 1.0f);
    const float seconds = dt.asSeconds();
    io.DeltaTime = seconds > 0.0f ? seconds : 1.0f / 1000.0f;

    for (int i = 0; i < mouseButtons; ++i) {
        io.MouseDown[i] = state.buttonHeld[i] || state.buttonPressed[i];
        state.buttonPressed[i] = false;
    }
    io.KeyCtrl = io.KeysDown[sf::Keyboard::LControl] || io.KeysDown[sf::Keyboard::RControl];
    io.KeyShift = io.KeysDown[sf::Keyboard::LShift] || io.KeysDown[sf::Keyboard::RShift];
    io.KeyAlt = io.KeysDown[sf::Keyboard::LAlt] || io.KeysDown[sf::Keyboard::RAlt];
    io.KeySuper = io.KeysDown[sf::Keyboard::LSystem] || io.KeysDown[sf::Keyboard::RSystem];

    if (state.frameStarted)
        ImGui::EndFrame(); // a frame that was never rendered
    window.setActive(true);
    ImGui_ImplOpenGL2_NewFrame();
    ImGui::NewFrame();
    state.frameStarted = true;
}

void Render(sf::RenderTarget& target)
{
    if (!state.frameStarted)
        return;
    state.frameStarted = false;
    ImGui::Render();
    // Most frames show no ImGui window; resetting and saving SFML's GL states for nothing
    // would cost a dozen binds.
    ImDrawData* data = ImGui::GetDrawData();
    if (!data || data->TotalVtxCount == 0)
        return;
    if (!target.setActive(true))
        return;
    // Start from SFML's known state so that its state cache matches GL again after the pop.
    target.resetGLStates();
    target.pushGLStates();
    ImGui_ImplOpenGL2_RenderDrawData(data);
    target.popGLStates();
}

void Shutdown()
{
    if (!ImGui::GetCurrentContext())
        return;
    if (state.frameStarted)
        ImGui::EndFrame();
    if (state.rendererStarted)
        ImGui_ImplOpenGL2_Shutdown();
    if (state.createdContext)
        ImGui::DestroyContext();
    state = BackendState{};
}

void UpdateFontTexture()
{
    if (!ImGui::GetCurrentContext() || !state.rendererStarted)
        return;
    ImGui_ImplOpenGL2_DestroyFontsTexture();
    ImGui_ImplOpenGL2_CreateFontsTexture();
}

} // namespace SFML
} // namespace ImGui
