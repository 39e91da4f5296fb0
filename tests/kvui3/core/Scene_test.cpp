#include "core/Scene.h"

#include <gtest/gtest.h>

namespace {
struct NullScene : kv::Scene {
    void update(float) override {}
    void draw(float) override {}
};

// Each test starts from an empty stack and leaves one: the scenes it pushed are its locals.
class SceneManagerTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset()
    {
        using namespace kv::SceneManager;
        sceneStack.clear();
        currentScene = nullptr;
        quitRequested = false;
        zeroDtNextFrame = false;
    }
};
} // namespace

TEST_F(SceneManagerTest, RefusesTheHundredAndThirtiethScene)
{
    using namespace kv::SceneManager;
    NullScene a, b;
    for (size_t i = 0; i < maxScenes; i++) {
        zeroDtNextFrame = false;
        setCurrentScene(i % 2 ? &b : &a);
        EXPECT_TRUE(zeroDtNextFrame);
    }
    EXPECT_EQ(sceneStack.size(), 129u);
    EXPECT_FALSE(quitRequested);
    kv::Scene* before = currentScene;

    NullScene extra;
    zeroDtNextFrame = false;
    setCurrentScene(&extra);
    EXPECT_TRUE(quitRequested);
    EXPECT_EQ(sceneStack.size(), 129u);
    EXPECT_EQ(currentScene, before);
    EXPECT_FALSE(zeroDtNextFrame);
}

TEST_F(SceneManagerTest, SameSceneTwiceGivesTwoEntries)
{
    using namespace kv::SceneManager;
    NullScene a;
    setCurrentScene(&a);
    zeroDtNextFrame = false;
    setCurrentScene(&a);
    EXPECT_EQ(sceneStack.size(), 2u);
    EXPECT_EQ(currentScene, &a);
    EXPECT_TRUE(zeroDtNextFrame);
}
