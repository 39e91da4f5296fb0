#pragma once
// Scenes and the scene stack. A scene is owned by whoever made it; the stack only points to it.
#include <SFML/Graphics/Color.hpp>

#include <cstddef>
#include <vector>

namespace kv {

class Scene {
public:
    virtual ~Scene() = default;
    virtual void update(float dt) = 0;
    virtual void draw(float dt) = 0;

    // The main loop clears with this before each update; (0,0,0,0) means do not clear.
    sf::Color clearColour {0, 0, 0, 0};
};

namespace SceneManager {

constexpr std::size_t maxScenes = 129;

extern std::vector<Scene*> sceneStack;
extern Scene* currentScene;
extern bool quitRequested;
extern bool zeroDtNextFrame;

// Pushes the scene and makes it current, asking for dt = 0 on its next update. A full stack
// refuses it: error message, quitRequested set, stack and currentScene unchanged.
void setCurrentScene(Scene* scene);

} // namespace SceneManager

} // namespace kv
