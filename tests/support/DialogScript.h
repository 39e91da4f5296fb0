#pragma once
// Drives a modal dialog from a test: window events fed to the frame pump by tick number, held
// keys and the pointer set through FakeInput, and (ShownFrame.h) the frame on screen read back.
#include "app/FramePump.h"
#include "core/Framework.h"
#include "core/FrameUpdate.h"
#include "core/Input.h"
#include "support/FakeInput.h"
#include "support/ShownFrame.h"

#include <SFML/Window/Event.hpp>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kv::test {

// Each step runs in the tick it names (counted from the script's start), before that tick's
// events are taken. A script that has run out of steps for 20 s of ticks presses Enter and
// Escape every tick and fails the test, so a dialog that ignores its keys cannot hang the run.
class DialogScript {
public:
    using Step = std::function<void(DialogScript&)>;

    // A script made inside another's step (a dialog opened from a dialog) takes over until it
    // goes, then hands back.
    DialogScript() : outer_(current_), outerHook_(InputHooks::pollWindowEvent)
    {
        current_ = this;
        start_ = pollerTickCount;
        InputHooks::pollWindowEvent = [](sf::Event& event) { return current_->next(event); };
        if (!tickGateStarted)
            startTickGate();
    }
    ~DialogScript()
    {
        InputHooks::pollWindowEvent = outerHook_;
        current_ = outer_;
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& at(uint32_t tick, Step step)
    {
        lastTick_ = std::max(lastTick_, tick);
        steps_.push_back({tick, std::move(step)});
        return *this;
    }
    // A press event in that tick (the key is not held unless a step holds it).
    DialogScript& press(uint32_t tick, sf::Keyboard::Key key)
    {
        return at(tick, [key](DialogScript& s) { s.pressNow(key); });
    }
    // The characters of text typed in that tick.
    DialogScript& type(uint32_t tick, std::string text)
    {
        return at(tick, [text](DialogScript& s) {
            for (char c : text) {
                sf::Event event;
                event.type = sf::Event::TextEntered;
                event.text.unicode = static_cast<sf::Uint32>(static_cast<unsigned char>(c));
                s.queue_.push_back(event);
            }
        });
    }
    // The pointer at p and a left click there (press, held, release) from that tick on.
    DialogScript& click(uint32_t tick, sf::Vector2i p)
    {
        at(tick, [p](DialogScript& s) {
            FakeInput::pointer = p;
            FakeInput::buttons = {sf::Mouse::Left};
            s.queueButton(sf::Event::MouseButtonPressed, p);
        });
        return at(tick + 2, [p](DialogScript& s) {
            FakeInput::buttons.clear();
            s.queueButton(sf::Event::MouseButtonReleased, p);
        });
    }
    // Keeps running fn in every tick from `from` (e.g. a key's auto-repeat).
    DialogScript& every(uint32_t from, uint32_t to, Step step)
    {
        for (uint32_t t = from; t <= to; ++t)
            at(t, step);
        return *this;
    }

    void pressNow(sf::Keyboard::Key key)
    {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {key, false, false, false, false};
        queue_.push_back(event);
    }
    void releaseNow(sf::Keyboard::Key key)
    {
        sf::Event event;
        event.type = sf::Event::KeyReleased;
        event.key = {key, false, false, false, false};
        queue_.push_back(event);
    }
    void queueButton(sf::Event::EventType type, sf::Vector2i p)
    {
        sf::Event event;
        event.type = type;
        event.mouseButton = {sf::Mouse::Left, p.x, p.y};
        queue_.push_back(event);
    }
    uint32_t tick() const { return pollerTickCount - start_; }

private:
    struct Timed {
        uint32_t tick;
        Step step;
    };

    bool next(sf::Event& event)
    {
        if (tickSeen_ != pollerTickCount) {
            tickSeen_ = pollerTickCount;
            runDueSteps();
        }
        if (queue_.empty())
            return false;
        event = queue_.front();
        queue_.pop_front();
        return true;
    }
    void runDueSteps()
    {
        const uint32_t now = tick();
        for (auto it = steps_.begin(); it != steps_.end();) {
            if (it->tick <= now) {
                Step step = std::move(it->step);
                it = steps_.erase(it);
                step(*this);
            } else {
                ++it;
            }
        }
        if (steps_.empty() && now > lastTick_ + 600) {
            ADD_FAILURE() << "the dialog did not end by tick " << now;
            pressNow(sf::Keyboard::Enter);
            pressNow(sf::Keyboard::Escape);
        }
    }
    static inline DialogScript* current_ = nullptr;
    DialogScript* outer_;
    bool (*outerHook_)(sf::Event&);
    std::vector<Timed> steps_;
    std::deque<sf::Event> queue_;
    uint32_t start_ = 0, tickSeen_ = 0, lastTick_ = 0;
};

} // namespace kv::test
