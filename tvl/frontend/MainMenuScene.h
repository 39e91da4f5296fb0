#pragma once
#include "core/Scene.h"

namespace tvl {

// The main menu. For now it clears to a dark colour and ends the program on Escape.
class MainMenuScene : public kv::Scene {
public:
    MainMenuScene();
    void update(float dt) override;
    void draw(float dt) override;
};

} // namespace tvl
