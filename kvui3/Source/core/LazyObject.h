#pragma once
// Program-wide SFML objects must not be built by global constructors: an sf::RenderWindow
// creates a GL context on construction, and without a display SFML aborts before main.
// LazyObject holds the storage statically and builds the object on first use; it is never
// destroyed (program-wide objects live until exit, and SFML's own statics may be gone by then).
#include <new>
#include <utility>

namespace kv {

template <typename T>
class LazyObject {
public:
    constexpr LazyObject() = default;
    LazyObject(const LazyObject&) = delete;
    LazyObject& operator=(const LazyObject&) = delete;

    T& get()
    {
        if (!built_) {
            new (storage_) T();
            built_ = true;
        }
        return *std::launder(reinterpret_cast<T*>(storage_));
    }
    T* operator->() { return &get(); }
    T& operator*() { return get(); }
    bool isBuilt() const { return built_; }

private:
    alignas(T) unsigned char storage_[sizeof(T)] {};
    bool built_ = false;
};

} // namespace kv
