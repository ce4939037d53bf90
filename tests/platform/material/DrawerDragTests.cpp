// Pulling the drawer out and pushing it back with a finger, driven through the harness as the
// window's mouse does it.
#include "tests/platform/material/MaterialTestApp.hpp"

#include <algorithm>

using namespace material_test;

using DrawerDrag = MaterialApp;

TEST_F(DrawerDrag, AnEdgeDragFollowsTheFingerAndOpensPastHalfWithTheButtonsCallbacks)
{
    EXPECT_TRUE(h.drag(app->calc->view(), {5, 500}, {205, 500}, 10));
    // Past the tap slop the drawer's edge moves with the finger, never beyond fully open.
    ASSERT_FALSE(app->drawer->heldAt.empty());
    EXPECT_EQ(app->drawer->heldAt.back(), -drawerWidth + 200);
    EXPECT_TRUE(std::is_sorted(app->drawer->heldAt.begin(), app->drawer->heldAt.end()));
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, opening);
    // From where it was let go it slides the rest of the way.
    EXPECT_EQ(leftX(), 0);
    EXPECT_EQ(shownLeftX(), -drawerWidth + 200);
    h.finishAnimations();
    EXPECT_EQ(shownLeftX(), 0);
    EXPECT_EQ(app->log, opening);

    // Pulling further than its width keeps it at the edge.
    open(false);
    app->drawer->heldAt.clear();
    EXPECT_TRUE(h.drag(app->calc->view(), {5, 500}, {385, 500}));
    EXPECT_EQ(*std::max_element(app->drawer->heldAt.begin(), app->drawer->heldAt.end()), 0);
}

TEST_F(DrawerDrag, AShortEdgeDragSlidesBackUnlessFlicked)
{
    EXPECT_TRUE(h.drag(app->calc->view(), {5, 500}, {105, 500}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->log.empty());
    EXPECT_FALSE(app->drawer->leftView()->isHidden()); // still sliding back
    h.finishAnimations();
    EXPECT_TRUE(app->drawer->leftView()->isHidden());

    // The same distance quickly is a flick: it opens; slowly it does not.
    fling({5, 500}, {105, 500}, 5, 0.01);
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, opening);
    open(false);
    fling({5, 500}, {105, 500}, 5, 0.5);
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->log.empty());
}

TEST_F(DrawerDrag, OnlyAnEnabledDrawerAndOnlyTheEdgeTakeADrag)
{
    EXPECT_FALSE(h.drag(app->calc->view(), {60, 700}, {300, 700}));
    EXPECT_TRUE(app->drawer->leftView()->isHidden());

    app->drawer->setLeftViewEnabled(false);
    EXPECT_FALSE(h.drag(app->calc->view(), {5, 700}, {300, 700}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->drawer->leftView()->isHidden());

    app->drawer->setLeftViewEnabled(true);
    EXPECT_TRUE(h.drag(app->calc->view(), {5, 500}, {300, 500}));
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
}

TEST_F(DrawerDrag, AnOpenDrawerClosesByADragLeftOrATapOnTheDimmedArea)
{
    open();
    // A short push on the drawer itself springs back open.
    EXPECT_TRUE(h.drag(app->menu->view(), {250, 500}, {190, 500}));
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->log.empty());
    h.finishAnimations();
    EXPECT_EQ(shownLeftX(), 0);

    EXPECT_TRUE(h.drag(app->menu->view(), {250, 500}, {50, 500}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, closing);
    h.finishAnimations();
    EXPECT_TRUE(app->drawer->leftView()->isHidden());

    // Across its rows, once the finger shows it is not scrolling them; a tap still selects one,
    // and a drag up or down scrolls them and leaves the drawer open.
    open();
    auto rows = app->menu->rows->tableView();
    EXPECT_TRUE(h.tap(rows->cellForRowAtIndexPath({0, 1})));
    EXPECT_EQ(app->menu->rows->selections, 1);
    h.drag(rows->cellForRowAtIndexPath({0, 3}), {140, 22}, {140, -60});
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(h.drag(rows->cellForRowAtIndexPath({0, 2}), {250, 22}, {50, 30}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->menu->rows->selections, 1);
    EXPECT_EQ(app->log, closing);

    // From the dimmed area beside it.
    open();
    EXPECT_TRUE(h.drag(app->drawer->view(), {370, 500}, {150, 500}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, closing);

    // A tap there closes it without reaching the page under it; a tap on the drawer does not.
    open();
    EXPECT_FALSE(h.isTouchable(app->calc->button));
    EXPECT_TRUE(h.tap(app->menu->view(), {140, 500}));
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(h.tap(app->drawer->view(), {330, 120}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, closing);
    EXPECT_EQ(app->calc->taps, 0);
    h.finishAnimations();
    EXPECT_TRUE(h.tap(app->calc->button));
    EXPECT_EQ(app->calc->taps, 1);
}

TEST_F(DrawerDrag, ThePagesOwnTouchesStayItsOwn)
{
    EXPECT_TRUE(h.tap(app->calc->button));
    EXPECT_EQ(app->calc->taps, 1);
    // At the edge: a button keeps its tap, a row its selection, a slider its drag.
    EXPECT_TRUE(h.tap(app->calc->edgeButton, {5, 20}));
    EXPECT_EQ(app->calc->edgeTaps, 1);
    auto table = app->calc->rows->tableView();
    h.tap(table->cellForRowAtIndexPath({0, 1}), {5, 22});
    EXPECT_EQ(app->calc->rows->selections, 1);
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(h.drag(app->calc->slider, {5, 20}, {150, 20}));
    EXPECT_GT(app->calc->slider->moves, 0);
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    // A row swiped from inside the page reveals its Delete button.
    EXPECT_TRUE(h.swipe(table->cellForRowAtIndexPath({0, 2}), {300, 22}, {100, 22}));
    EXPECT_EQ(table->indexPathForRowShowingDeleteConfirmation(), (NSIndexPath{0, 2}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->log.empty());
}
