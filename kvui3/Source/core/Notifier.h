#pragma once
// A "changed" notification: a lower layer calls notify(), the layers above subscribe to it.
#include <functional>
#include <utility>
#include <vector>

namespace kv {

class Notifier {
public:
    void subscribe(std::function<void()> callback) { callbacks.push_back(std::move(callback)); }
    // Runs the subscribers in subscription order.
    void notify() const
    {
        for (const auto& callback : callbacks)
            callback();
    }

private:
    std::vector<std::function<void()>> callbacks;
};

} // namespace kv
