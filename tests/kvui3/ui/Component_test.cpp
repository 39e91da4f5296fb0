#include "ui/Component.h"
#include "app/NestedLoop.h"
#include "ui/SimpleWidgets.h"

#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

using namespace kv;

namespace {

class ComponentIds : public ::testing::Test {
protected:
    void SetUp() override { resetComponentIds(); }
    void TearDown() override { resetComponentIds(); }
};

TEST_F(ComponentIds, ClaimsTheFirstFreeEntryAndFreesOnDestruction)
{
    EXPECT_EQ(focusedComponentId, 0u); // start-up focuses id 0, not "none"
    auto a = std::make_unique<Rectangle>();
    Rectangle b, c;
    EXPECT_EQ(a->id, noComponentId);
    EXPECT_FALSE(a->ownsId());
    a->claimId();
    b.claimId();
    c.claimId();
    EXPECT_EQ(a->id, 0u);
    EXPECT_EQ(b.id, 1u);
    EXPECT_EQ(c.id, 2u);
    EXPECT_TRUE(a->ownsId());

    a.reset();
    EXPECT_EQ(usedComponentIds[0], 0u);
    EXPECT_EQ(test::claimedIds(), 2);
    Rectangle d;
    d.claimId();
    EXPECT_EQ(d.id, 0u); // the freed entry is handed out again
}

TEST_F(ComponentIds, RecreatingFreesTheEarlierId)
{
    Rectangle w;
    for (int i = 0; i < 5; ++i)
        w.claimId();
    EXPECT_EQ(w.id, 0u);
    EXPECT_EQ(test::claimedIds(), 1);
    w.releaseId();
    EXPECT_EQ(test::claimedIds(), 0);
    EXPECT_EQ(w.id, noComponentId);
}

TEST_F(ComponentIds, AFullTableSharesIdZeroWithoutFreeingIt)
{
    std::vector<Rectangle> holders(maxComponentIds);
    for (Rectangle& h : holders)
        h.claimId();
    EXPECT_EQ(holders.back().id, maxComponentIds - 1);
    EXPECT_EQ(claimComponentId(), -1);
    {
        Rectangle overflow;
        overflow.claimId();
        EXPECT_EQ(overflow.id, 0u);
        EXPECT_FALSE(overflow.ownsId());
        // It shares the focus of the widget holding entry 0.
        focusedComponentId = static_cast<uint32_t>(holders[0].id);
        EXPECT_EQ(focusedComponentId, static_cast<uint32_t>(overflow.id));
    }
    // Its end must not free the entry that widget 0 still holds.
    EXPECT_EQ(usedComponentIds[0], 1u);
    EXPECT_EQ(claimComponentId(), -1);

    holders[7].releaseId();
    Rectangle late;
    late.claimId();
    EXPECT_EQ(late.id, 7u);
    EXPECT_TRUE(late.ownsId());
}

TEST_F(ComponentIds, MovesHandTheIdOver)
{
    static_assert(!std::is_copy_constructible_v<Rectangle> && !std::is_copy_assignable_v<Rectangle>);
    Rectangle first;
    first.claimId();
    Rectangle other;
    other.claimId();

    Rectangle moved(std::move(first));
    EXPECT_EQ(moved.id, 0u);
    EXPECT_TRUE(moved.ownsId());
    EXPECT_EQ(first.id, noComponentId);
    EXPECT_FALSE(first.ownsId());

    other = std::move(moved); // frees 1, takes 0
    EXPECT_EQ(other.id, 0u);
    EXPECT_EQ(usedComponentIds[1], 0u);
    EXPECT_EQ(usedComponentIds[0], 1u);

    std::vector<Rectangle> grown;
    grown.push_back(std::move(other));
    grown.resize(50); // reallocation moves the holder
    EXPECT_EQ(grown[0].id, 0u);
    EXPECT_EQ(test::claimedIds(), 1);
    grown.clear();
    EXPECT_EQ(test::claimedIds(), 0);
}

// ---- Which widgets the focus walk reaches ----

TEST_F(ComponentIds, AMarkHoldsThroughTheNextTickAndNotForTheIdsNextHolder)
{
    Rectangle a;
    a.claimId();
    EXPECT_FALSE(componentRunning(0)) << "claimed, not yet run";
    markComponentRunning(a.id);
    EXPECT_TRUE(componentRunning(0));
    nextComponentTick();
    EXPECT_TRUE(componentRunning(0)) << "run in the last tick";
    nextComponentTick();
    EXPECT_FALSE(componentRunning(0)) << "a whole tick without an update";

    markComponentRunning(a.id);
    a.releaseId();
    EXPECT_FALSE(componentRunning(0)) << "free";
    Rectangle b;
    b.claimId();
    ASSERT_EQ(b.id, 0u);
    EXPECT_FALSE(componentRunning(0)) << "the id's new holder has not run";
}

// The join window's list, the bookmark editor's box, and the game's console line, which one game
// ran and the next has not yet.
TEST_F(ComponentIds, ANestedLoopRunsOnlyItsOwnWidgetsAndGivesTheCallersBack)
{
    Rectangle list, box, consoleLine;
    list.claimId();
    box.claimId();
    consoleLine.claimId();
    const uint32_t listId = static_cast<uint32_t>(list.id), boxId = static_cast<uint32_t>(box.id);
    markComponentRunning(listId);
    {
        NestedLoop editor;
        EXPECT_FALSE(componentRunning(listId)) << "in the loop's first tick";
        markComponentRunning(boxId);
        EXPECT_EQ(nextFocusId(boxId), boxId);
        for (int i = 0; i < 3; ++i) {
            nextComponentTick();
            markComponentRunning(boxId);
        }
        EXPECT_FALSE(componentRunning(listId));
    }
    EXPECT_TRUE(componentRunning(listId)) << "the caller's tick is back as it was";
    EXPECT_FALSE(componentRunning(boxId));
    EXPECT_EQ(nextFocusId(listId), listId);

    {
        NestedLoop game;
        markComponentRunning(consoleLine.id);
    }
    NestedLoop nextGame;
    EXPECT_FALSE(componentRunning(static_cast<uint32_t>(consoleLine.id))) << "run by the last game only";
}

TEST(ComponentNames, AutoNamesCountAndSkipZero)
{
    autoNameCounter = 1;
    EXPECT_EQ(makeAutoName(), "auto:2");
    EXPECT_EQ(makeAutoName(), "auto:3");
    autoNameCounter = 0xFFFFFFFE;
    EXPECT_EQ(makeAutoName(), "auto:4294967295");
    EXPECT_EQ(makeAutoName(), "auto:1");
}

TEST(ComponentDrawing, DrawsOnTheUiLayerUnlessRedirected)
{
    test::RecordingLayer ui;
    RenderLayer& air = renderLayers[layerAir - 1]; // a recording layer standing for a clip
    air.clearDeferred();
    Rectangle box;
    box.create({0, 0}, {10, 10});

    box.draw();
    ASSERT_EQ(ui.layer.records.size(), 1u);
    EXPECT_EQ(ui.layer.records[0].kind, deferredRectangleShape);

    currentRenderLayer = &air;
    layerRedirected = true;
    box.draw();
    layerRedirected = false;
    currentRenderLayer = &layerRedirect;
    EXPECT_EQ(ui.layer.records.size(), 1u);
    EXPECT_EQ(air.records.size(), 1u);
    air.clearDeferred();
}

TEST(ComponentDrawing, DebugBoundsOnlyWhileSwitchedOn)
{
    test::RecordingLayer ui;
    Rectangle box;
    box.create({5, 6}, {25, 16});
    box.draw();
    EXPECT_EQ(ui.layer.records.size(), 1u);

    showComponentBounds = true;
    box.draw();
    showComponentBounds = false;
    ASSERT_EQ(ui.layer.records.size(), 3u);
    const auto* frame = dynamic_cast<const sf::RectangleShape*>(ui.layer.records[2].drawable.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getPosition(), sf::Vector2f(5, 6));
    EXPECT_EQ(frame->getSize(), sf::Vector2f(20, 10));
    EXPECT_EQ(frame->getOutlineColor(), sf::Color(0, 0, 255, 255));
    EXPECT_EQ(frame->getFillColor(), sf::Color::Transparent);
}

} // namespace
