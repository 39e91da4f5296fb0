#include "app/FramePump.h"
#include "core/Input.h"
#include "core/Keyboard.h"
#include "core/Time.h"
#include "graphics/Shaders.h"
#include "support/FakeInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace {

// Counts the ticks the gate gives over one simulated second of equal frames.
int ticksInOneSecond(unsigned limit, double frameSeconds)
{
    kv::TickGate gate;
    int ticks = 0;
    for (double t = 0; t < 1.0 - 1e-9; t += frameSeconds)
        ticks += gate.advance(frameSeconds, limit, 1.0 / 30);
    return ticks;
}

// The click tolerance is a fiftieth of the larger view side: 25.6 in a 1280 x 720 view.
struct FakeInput : kv::test::FakeInput {
    FakeInput() { view = {1280, 720}; }
};

sf::Event keyEvent(sf::Event::EventType type, sf::Keyboard::Key code)
{
    sf::Event e {};
    e.type = type;
    e.key.code = code;
    return e;
}

sf::Event textEvent(sf::Uint32 unicode)
{
    sf::Event e {};
    e.type = sf::Event::TextEntered;
    e.text.unicode = unicode;
    return e;
}

sf::Event buttonEvent(sf::Event::EventType type)
{
    sf::Event e {};
    e.type = type;
    e.mouseButton.button = sf::Mouse::Left;
    return e;
}

} // namespace

TEST(TickGate, TicksThirtyTimesASecondWhateverTheFrameRate)
{
    struct Case {
        unsigned limit;
        double frame;
        int minTicks, maxTicks;
    };
    const Case cases[] = {
        {60, 1.0 / 60, 29, 30},   // every second frame, keeping the remainder
        {0, 1.0 / 200, 29, 30},   // unlimited: never more than 30
        {0, 1.0 / 61, 29, 30},
        {30, 1.0 / 30, 30, 30},   // at or below 30: every frame
        {20, 1.0 / 20, 20, 20},
        {0, 0.5, 2, 2},           // a stall gives one tick per frame, no burst
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "limit " << c.limit << ", frame " << c.frame);
        int ticks = ticksInOneSecond(c.limit, c.frame);
        EXPECT_GE(ticks, c.minTicks);
        EXPECT_LE(ticks, c.maxTicks);
    }
}

TEST(EventPump, KeysTextAndWheel)
{
    FakeInput input;
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::A));
    kv::handleEvent(textEvent('a'));
    kv::handleEvent(textEvent(96)); // the grave accent is a key, not text
    for (sf::Uint32 control : {8u, 9u, 13u, 27u, 127u, 1u, 200u, 0x263Au})
        kv::handleEvent(textEvent(control));
    kv::handleEvent(textEvent('~'));
    EXPECT_EQ(kv::typedText, "a~");
    EXPECT_EQ(kv::Keyboard::pressedKeys, (std::vector<uint32_t> {sf::Keyboard::A, 54}));

    sf::Event wheel {};
    wheel.type = sf::Event::MouseWheelScrolled;
    wheel.mouseWheelScroll.delta = -2;
    kv::handleEvent(wheel);
    EXPECT_EQ(kv::mouseWheelDelta, -2);

    kv::screenshotRequested = false;
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::F12));
    EXPECT_TRUE(kv::screenshotRequested);
}

// The Control key counts as held when X says so at the F12 event, however quickly the keys went
// down and up again; which Control it was, the key's own events (or the sample) tell.
TEST(EventPump, ControlF12ReloadsTheShadersWhenLeftControlIsHeldAtTheF12Event)
{
    struct Case {
        const char* name;
        std::vector<sf::Event> events;
        bool leftControlSampled; // held when the frame's input was sampled
        bool reloads;
    };
    auto f12 = [](bool control) {
        sf::Event e = keyEvent(sf::Event::KeyPressed, sf::Keyboard::F12);
        e.key.control = control;
        return e;
    };
    const sf::Event lControlDown = keyEvent(sf::Event::KeyPressed, sf::Keyboard::LControl);
    const sf::Event lControlUp = keyEvent(sf::Event::KeyReleased, sf::Keyboard::LControl);
    const sf::Event rControlDown = keyEvent(sf::Event::KeyPressed, sf::Keyboard::RControl);
    const sf::Event rControlUp = keyEvent(sf::Event::KeyReleased, sf::Keyboard::RControl);
    const sf::Event f12Up = keyEvent(sf::Event::KeyReleased, sf::Keyboard::F12);
    const Case cases[] = {
        {"a quick Ctrl+F12, over before the sample", {lControlDown, f12(true), f12Up, lControlUp}, false, true},
        {"Control held since before the focus came", {f12(true)}, true, true},
        {"the right Control key", {rControlDown, f12(true), f12Up, rControlUp}, false, false},
        {"Control let go before F12", {lControlDown, lControlUp, f12(false)}, false, false},
        {"F12 alone", {f12(false)}, false, false},
    };
    kv::Shaders::clearSlots();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeInput input;
        if (c.leftControlSampled)
            FakeInput::keys.insert(sf::Keyboard::LControl);
        kv::screenshotRequested = false;
        testing::internal::CaptureStderr();
        for (const sf::Event& e : c.events)
            kv::handleEvent(e);
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(log.find("Reloaded shaders") != std::string::npos, c.reloads) << log;
        EXPECT_EQ(kv::screenshotRequested, !c.reloads);
        FakeInput::keys.clear();
        kv::handleEvent(lControlUp); // nothing of this case reaches the next
    }
    kv::screenshotRequested = false;
    kv::Keyboard::pressedKeys.clear();
}

TEST(TickCallbacks, ASecondRegistrationIsReportedAndAddsNothing)
{
    static int calls;
    calls = 0;
    const kv::TickCallback count = [](float) { ++calls; };
    kv::registerOnTickCallback(count);
    testing::internal::CaptureStderr();
    kv::registerOnTickCallback(count);
    const std::string log = testing::internal::GetCapturedStderr();
    kv::runTickCallbacks(1.0f / 30);
    kv::unregisterOnTickCallback(count);
    kv::runTickCallbacks(1.0f / 30);
    EXPECT_EQ(calls, 1);
    EXPECT_NE(log.find("Error: registerOnTickCallback: Callback already registered"), std::string::npos) << log;
}

TEST(EventPump, ClickToleranceIsAFiftiethOfTheView)
{
    FakeInput input;
    struct Case {
        int distance;
        bool click;
    };
    for (Case c : {Case {10, true}, Case {25, true}, Case {26, false}, Case {30, false}}) {
        SCOPED_TRACE(c.distance);
        kv::leftClicked = false;
        FakeInput::pointer = {100, 100};
        kv::handleEvent(buttonEvent(sf::Event::MouseButtonPressed));
        EXPECT_TRUE(kv::leftButtonDown);
        FakeInput::pointer = {100 + c.distance, 100};
        kv::handleEvent(buttonEvent(sf::Event::MouseButtonReleased));
        EXPECT_EQ(kv::leftClicked, c.click);
        EXPECT_FALSE(kv::leftButtonDown);
    }
}

TEST(Keyboard, ConsumeCapAndControlCombinations)
{
    FakeInput input;
    kv::Keyboard::addPressedKey(sf::Keyboard::Enter);
    EXPECT_TRUE(kv::Keyboard::keyPressed(sf::Keyboard::Enter, false));
    EXPECT_TRUE(kv::Keyboard::keyPressed(sf::Keyboard::Enter, true));
    EXPECT_FALSE(kv::Keyboard::keyPressed(sf::Keyboard::Enter, true));

    kv::Keyboard::addPressedKey(sf::Keyboard::Z);
    EXPECT_FALSE(kv::Keyboard::keyPressed(kv::Keyboard::ctrlZ, false));
    FakeInput::keys.insert(sf::Keyboard::LControl);
    EXPECT_TRUE(kv::Keyboard::keyPressed(kv::Keyboard::ctrlZ, true));
    EXPECT_FALSE(kv::Keyboard::keyPressed(sf::Keyboard::Z, false));

    kv::Keyboard::addPressedKey(sf::Keyboard::A);
    FakeInput::focus = false;
    EXPECT_FALSE(kv::Keyboard::keyPressed(sf::Keyboard::A, false));
    FakeInput::focus = true;

    kv::Keyboard::pressedKeys.clear();
    kv::Keyboard::addPressedKey(kv::Keyboard::noKey);
    EXPECT_TRUE(kv::Keyboard::pressedKeys.empty());
    testing::internal::CaptureStderr();
    for (int i = 0; i < 130; i++)
        kv::Keyboard::addPressedKey(static_cast<uint32_t>(i % 100));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(kv::Keyboard::pressedKeys.size(), 129u);
    EXPECT_NE(err.find("Keyboard::addPressedKey: Too many pressed keycodes."), std::string::npos);
}

TEST(Keyboard, AWaitedOutKeyDoesNotRepeatWhileHeld)
{
    FakeInput input;
    FakeInput::focus = false; // the wait ends at once without pumping
    FakeInput::keys.insert(sf::Keyboard::Escape);
    kv::Keyboard::waitForKeyRelease(sf::Keyboard::Escape);
    FakeInput::focus = true;

    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Escape)); // auto-repeat
    EXPECT_TRUE(kv::Keyboard::pressedKeys.empty());
    FakeInput::keys.clear();
    kv::handleEvent(keyEvent(sf::Event::KeyReleased, sf::Keyboard::Escape));
    FakeInput::keys.insert(sf::Keyboard::Escape);
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Escape)); // a real press
    EXPECT_EQ(kv::Keyboard::pressedKeys.size(), 1u);
}

TEST(Keyboard, KeyNames)
{
    kv::Keyboard::buildKeyNames();
    ASSERT_EQ(kv::Keyboard::keyNames.size(), 101u);
    struct Case {
        uint32_t code;
        const char* name;
    };
    for (Case c : {Case {0, "A"}, Case {26, "0"}, Case {36, "Escape"}, Case {53, "\\"}, Case {54, "~"},
                   Case {56, "-"}, Case {68, "-"}, Case {52, "/"}, Case {70, "/"}, Case {58, "Return"},
                   Case {75, "numpad 0"}, Case {85, "F1"}, Case {100, "Pause"}, Case {98, "Ctrl+Z"},
                   Case {99, "Ctrl+Y"}, Case {101, ""}}) {
        EXPECT_EQ(kv::Keyboard::getKeyName(c.code), c.name) << c.code;
    }
}

TEST(Mouse, RectangleEdgesAreInside)
{
    FakeInput input;
    FakeInput::pointer = {100, 50};
    EXPECT_TRUE(kv::Mouse::isInRect(0, 0, 100, 50));
    EXPECT_FALSE(kv::Mouse::isInRect(0, 0, 99, 50));
    FakeInput::buttons = {0, 2};
    EXPECT_EQ(kv::Mouse::getButtons(), kv::Mouse::leftButton | kv::Mouse::middleButton);
    FakeInput::focus = false;
    EXPECT_EQ(kv::Mouse::getButtons(), 0);
}

TEST(TimeHelpers, AnimationFramesAndTimeStamps)
{
    struct Case {
        uint32_t frames;
        uint64_t ms;
        int frame;
    };
    for (Case c : {Case {4, 0, 0}, Case {4, 250, 1}, Case {4, 500, 2}, Case {4, 999, 3}, Case {4, 1000, 0},
                   Case {3, 320, 0}, Case {3, 330, 1}, Case {3, 980, 2}, Case {3, 990, 2}, Case {0, 500, 0},
                   Case {101, 500, 0}}) {
        EXPECT_EQ(kv::getAnimationFrame(c.frames, c.ms), c.frame) << c.frames << " at " << c.ms;
    }
    kv::TimeParts p {2025, 12, 31, 23, 59, 58, 99};
    kv::TimeStamp s = kv::packTimeStamp(p);
    EXPECT_EQ(s & 0xFF, 31u);
    EXPECT_EQ(s >> 8 & 0xFF, 12u);
    EXPECT_EQ(s >> 16 & 0xFFFF, 2025u);
    EXPECT_EQ(s >> 56, 99u);
    kv::TimeParts back = kv::unpackTimeStamp(s);
    EXPECT_EQ(back.hour, 23);
    EXPECT_EQ(back.minute, 59);
    EXPECT_EQ(back.second, 58);
    EXPECT_GE(kv::unpackTimeStamp(kv::getTimeStamp()).year, 2024);
}

TEST(Keyboard, RepeatsArrivingDuringTheWaitAreDropped)
{
    FakeInput input;
    static int calls;
    calls = 0;
    // The key state is sampled on every pass of the wait; a repeat arrives mid-wait and the
    // key goes up a little later.
    FakeInput::keys.insert(sf::Keyboard::Enter);
    kv::InputHooks::readDevices = [](kv::InputState& state) {
        calls++;
        if (calls == 2)
            kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Enter));
        state.keys.set(sf::Keyboard::Enter, calls < 5);
    };
    kv::Keyboard::waitForKeyRelease(sf::Keyboard::Enter);
    EXPECT_TRUE(kv::Keyboard::pressedKeys.empty());
    // A repeat queued before the release is handled once the key is already up.
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Enter));
    EXPECT_TRUE(kv::Keyboard::pressedKeys.empty());
    kv::handleEvent(keyEvent(sf::Event::KeyReleased, sf::Keyboard::Enter));
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Enter)); // a real press
    EXPECT_EQ(kv::Keyboard::pressedKeys.size(), 1u);
}

TEST(Keyboard, AKeyReleasedInAnotherWindowCountsAgainOnRegainedFocus)
{
    FakeInput input;
    FakeInput::focus = false;
    FakeInput::keys.insert(sf::Keyboard::Escape);
    kv::Keyboard::waitForKeyRelease(sf::Keyboard::Escape);
    FakeInput::keys.clear(); // released while another window had the focus: no event for us
    FakeInput::focus = true;
    sf::Event gained {};
    gained.type = sf::Event::GainedFocus;
    kv::handleEvent(gained);
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Escape));
    EXPECT_EQ(kv::Keyboard::pressedKeys.size(), 1u);
}

TEST(Keyboard, ARepeatReleaseWhileTheKeyIsHeldKeepsItWaitedOut)
{
    FakeInput input;
    FakeInput::focus = false; // the wait ends at once without pumping
    FakeInput::keys.insert(sf::Keyboard::Enter);
    kv::Keyboard::waitForKeyRelease(sf::Keyboard::Enter);
    FakeInput::focus = true;
    // The release half of an auto-repeat pair arrives while the key is still down.
    kv::handleEvent(keyEvent(sf::Event::KeyReleased, sf::Keyboard::Enter));
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Enter));
    EXPECT_TRUE(kv::Keyboard::pressedKeys.empty());
}

// The release event of a waited-out key came in the tick whose sample, taken just before, still
// had the key down; the next press of that key (the player's Return in the next window) was
// then taken for auto-repeat and lost.
TEST(Keyboard, AReleaseSampledLateLetsTheNextPressCount)
{
    FakeInput input;
    FakeInput::focus = false; // the wait ends at once without pumping
    FakeInput::keys.insert(sf::Keyboard::Enter);
    kv::Keyboard::waitForKeyRelease(sf::Keyboard::Enter);
    FakeInput::focus = true;
    kv::handleEvent(keyEvent(sf::Event::KeyReleased, sf::Keyboard::Enter)); // sampled down still
    kv::Keyboard::settleReleases();                                          // next tick: still down
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Enter));   // so this is a repeat
    EXPECT_TRUE(kv::Keyboard::pressedKeys.empty());
    FakeInput::keys.clear();
    kv::Keyboard::settleReleases(); // a tick that finds it up
    FakeInput::keys.insert(sf::Keyboard::Enter);
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Enter)); // a real press
    EXPECT_EQ(kv::Keyboard::pressedKeys.size(), 1u);

    // A press and its release in one tick, both sampled down, and the press's button waits it
    // out after both.
    kv::Keyboard::pressedKeys.clear();
    kv::handleEvent(keyEvent(sf::Event::KeyReleased, sf::Keyboard::Enter));
    FakeInput::focus = false;
    kv::Keyboard::waitForKeyRelease(sf::Keyboard::Enter);
    FakeInput::focus = true;
    FakeInput::keys.clear();
    kv::Keyboard::settleReleases();
    FakeInput::keys.insert(sf::Keyboard::Enter);
    kv::handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Enter));
    EXPECT_EQ(kv::Keyboard::pressedKeys.size(), 1u);
}
