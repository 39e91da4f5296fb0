#include "core/Scene.h"

#include "core/Messages.h"

namespace kv::SceneManager {

std::vector<Scene*> sceneStack;
Scene* currentScene = nullptr;
bool quitRequested = false;
bool zeroDtNextFrame = false;

void setCurrentScene(Scene* scene)
{
    if (sceneStack.size() >= maxScenes) {
        printError("SceneManager::setCurrentScene: Too many scenes in stack.");
        quitRequested = true;
        return;
    }
    sceneStack.push_back(scene);
    currentScene = scene;
    zeroDtNextFrame = true;
}

} // namespace kv::SceneManager
