#include <gtest/gtest.h>

#include "Radixel/services/ServiceTestSupport.hpp"
#include "Radixel/services/ViewManager.hpp"
#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "platform/uikit/UILabel.hpp"

using uikit::testing::Harness;

namespace {

std::vector<std::shared_ptr<UILabel>> toasts(const UIView& root) {
    std::vector<std::shared_ptr<UILabel>> found;
    for (const auto& view : root.subviews())
        if (auto label = std::dynamic_pointer_cast<UILabel>(view)) found.push_back(label);
    return found;
}

int overlayCount(const UIView& view) {
    int count = view.tag() == ViewManager::busyOverlayTag ? 1 : 0;
    for (const auto& subview : view.subviews()) count += overlayCount(*subview);
    return count;
}

}  // namespace

TEST(ViewManagerTest, ToastSitsAboveTheBottomAndFadesOutOnItsSchedule) {
    Harness h;
    ShownScreen screen(h, {0, 0, 400, 800});
    ViewManager::showToast("Please enter a value for both p and q.");
    ASSERT_EQ(toasts(*screen.controller->view()).size(), 1u);
    std::shared_ptr<UILabel> toast = toasts(*screen.controller->view()).front();
    EXPECT_EQ(toast->frame(), (CGRect{20, 680, 360, 40}));

    h.advance(2.9);
    EXPECT_DOUBLE_EQ(toast->presentationAlpha(), 1.0);
    h.advance(0.2);  // 3.1 s: fading
    ViewManager::showToast("a second one, on its own schedule");
    h.advance(0.9);  // 4.0 s: on screen, half transparent
    EXPECT_GT(toast->presentationAlpha(), 0.0);
    EXPECT_LT(toast->presentationAlpha(), 1.0);
    h.advance(1.1);  // 5.1 s
    EXPECT_EQ(toast->superview(), nullptr);
    ASSERT_EQ(toasts(*screen.controller->view()).size(), 1u);
    EXPECT_DOUBLE_EQ(toasts(*screen.controller->view()).front()->presentationAlpha(), 1.0);
    h.advance(5.0);
    EXPECT_TRUE(toasts(*screen.controller->view()).empty());
}

TEST(ViewManagerTest, OneBusyOverlayOnTheFirstWindowHoweverOftenShownAndOneHideRemovesIt) {
    Harness h;
    EXPECT_EQ(ViewManager::keyWindow(), nullptr);
    ViewManager::showToast("nowhere to show");
    ViewManager::showBusyOverlayNow();
    ViewManager::hideBusyOverlayNow();
    ShownScreen screen(h);
    auto second = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    second->makeKeyAndVisible();
    EXPECT_EQ(ViewManager::keyWindow(), screen.window);
    ViewManager::showBusyOverlay();
    ViewManager::showBusyOverlay();
    EXPECT_EQ(overlayCount(*screen.window), 0);  // queued, not yet shown
    h.runUntilIdle();
    ASSERT_EQ(overlayCount(*screen.window), 1);
    std::shared_ptr<UIView> overlay = screen.window->viewWithTag(ViewManager::busyOverlayTag);
    EXPECT_EQ(overlay->frame(), screen.window->frame());
    auto spinner = std::dynamic_pointer_cast<UIActivityIndicatorView>(overlay->subviews().at(0));
    ASSERT_TRUE(spinner && spinner->isAnimating());
    EXPECT_EQ(spinner->center(), (CGPoint{overlay->bounds().midX(), overlay->bounds().midY()}));  // a tall screen: x ≠ y
    EXPECT_EQ(spinner->color(), UIColor::tertiarySystemGroupedBackgroundColor());  // light on the dark cover
    EXPECT_FALSE(h.isTouchable(screen.controller->view()));

    // Shown from another thread, hidden right after: the order holds.
    std::thread([] {
        ViewManager::hideBusyOverlay();
        ViewManager::showBusyOverlay();
        ViewManager::hideBusyOverlay();
    }).join();
    h.runUntilIdle();
    EXPECT_EQ(overlayCount(*screen.window), 0);
}
