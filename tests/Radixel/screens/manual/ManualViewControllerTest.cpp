#include <gtest/gtest.h>

#include "Radixel/screens/manual/ManualViewController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "platform/render/TouchRouter.hpp"

namespace {

class ManualViewControllerTest : public ::testing::Test, public LaunchedApp {
protected:
    void SetUp() override { launch(Answers{}); }

    // Through the solution page's manual button.
    std::shared_ptr<ManualViewController> present(const std::string& imageName) {
        solution().manualImageName = imageName;
        pages().select(1);
        h.runUntilIdle();
        EXPECT_TRUE(h.tapAccessibilityIdentifier("manualButton"));
        h.finishAnimations();
        auto manual = h.presented<ManualViewController>();
        EXPECT_TRUE(manual && manual->imageName == imageName);
        EXPECT_EQ(manual->modalPresentationStyle(), UIModalPresentationStyle::PageSheet);
        return manual;
    }
    void close() {
        EXPECT_TRUE(h.tapAccessibilityIdentifier("closeManualButton"));
        h.finishAnimations();
        EXPECT_EQ(h.presented<ManualViewController>(), nullptr);
    }
};

}  // namespace

// Ctrl and the wheel in the window, in the middle of the picture, zoom it within the limits. A
// name without a picture, also one that would leave the resources, leaves the page empty.
TEST_F(ManualViewControllerTest, ShowsTheNamedPictureZoomableWithinLimitsAndClosesByItsButton) {
    auto manual = present("onboarding_youtube_1");
    ASSERT_NE(manual->imageView->image(), nullptr);
    EXPECT_EQ(manual->imageView->image()->name(), "onboarding_youtube_1");
    EXPECT_EQ(manual->label.lock()->text(), "Help");
    auto scrollView = manual->scrollView.lock();
    CGFloat minimum = scrollView->minimumZoomScale(), maximum = scrollView->maximumZoomScale();
    ASSERT_GT(maximum, minimum);
    CGSize unzoomed = manual->imageView->frame().size;

    CGRect area = scrollView->convertRectToView(scrollView->bounds(), h.window().get());
    render::TouchRouter router(h.window());
    EXPECT_TRUE(router.zoom({area.midX(), area.midY()}, 2));
    EXPECT_NEAR(scrollView->zoomScale(), std::min(maximum, 1.21 * minimum), 1e-9);
    EXPECT_TRUE(router.zoom({area.midX(), area.midY()}, 100));
    EXPECT_EQ(scrollView->zoomScale(), maximum);
    EXPECT_DOUBLE_EQ(manual->imageView->frame().size.width, unzoomed.width * maximum / minimum);
    scrollView->setZoomScale(0.01);
    EXPECT_EQ(scrollView->zoomScale(), minimum);
    EXPECT_DOUBLE_EQ(manual->imageView->frame().size.height, unzoomed.height);
    close();

    for (std::string name : {"noSuchManual", "../../etc/passwd"}) {
        EXPECT_EQ(present(name)->imageView->image(), nullptr) << name;
        close();
    }
}
