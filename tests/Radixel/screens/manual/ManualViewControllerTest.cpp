#include <gtest/gtest.h>

#include <cmath>

#include "Radixel/screens/manual/ManualViewController.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/render/TouchRouter.hpp"

using uikit::testing::Harness;

namespace {

class ManualViewControllerTest : public ::testing::Test {
protected:
    ManualViewControllerTest() { h.launch(std::make_shared<UIApplicationDelegate>()); }

    // As the solution screen shows it.
    std::shared_ptr<ManualViewController> present(const std::string& imageName) {
        auto manual = std::make_shared<ManualViewController>("ManualViewController", &NSBundle::mainBundle());
        manual->setModalPresentationStyle(UIModalPresentationStyle::PageSheet);
        manual->imageName = imageName;
        screen.controller->presentViewController(manual, true);
        h.finishAnimations();
        return manual;
    }

    ScratchDefaults defaults;
    Harness h;
    ShownScreen screen{h};
};

}  // namespace

TEST_F(ManualViewControllerTest, ShowsTheNamedPictureUnderItsTitleAndClosesByItsButton) {
    auto manual = present("onboarding_youtube_1");
    ASSERT_EQ(h.presented<ManualViewController>(), manual);
    EXPECT_EQ(manual->label.lock()->text(), NSLocalizedString("Assistance", "Assistance"));
    ASSERT_NE(manual->imageView->image(), nullptr);
    EXPECT_EQ(manual->imageView->image()->name(), "onboarding_youtube_1");

    EXPECT_TRUE(h.tapAccessibilityIdentifier("closeManualButton"));
    h.finishAnimations();
    EXPECT_EQ(h.presented<ManualViewController>(), nullptr);
}

TEST_F(ManualViewControllerTest, ANameWithoutAPictureLeavesThePageEmpty) {
    for (std::string name : {"", "noSuchManual", "../../etc/passwd"}) {
        auto manual = present(name);
        EXPECT_EQ(manual->imageView->image(), nullptr) << name;
        h.tapAccessibilityIdentifier("closeManualButton");
        h.finishAnimations();
    }
}

TEST_F(ManualViewControllerTest, ThePictureZoomsWithinTheScrollViewsLimits) {
    auto manual = present("onboarding_youtube_1");
    auto scrollView = manual->scrollView.lock();
    EXPECT_EQ(manual->viewForZoomingInScrollView(scrollView), manual->imageView);
    CGFloat minimum = scrollView->minimumZoomScale();
    CGFloat maximum = scrollView->maximumZoomScale();
    ASSERT_GT(maximum, minimum);
    CGSize unzoomed = manual->imageView->frame().size;

    // Ctrl and the wheel in the window, in the middle of the picture.
    render::TouchRouter router(h.window());
    CGRect area = scrollView->convertRectToView(scrollView->bounds(), h.window().get());
    CGPoint middle{area.midX(), area.midY()};
    EXPECT_TRUE(router.zoom(middle, 2));
    EXPECT_NEAR(scrollView->zoomScale(), std::min(maximum, 1.21 * minimum), 1e-9);

    EXPECT_TRUE(router.zoom(middle, 100));
    EXPECT_EQ(scrollView->zoomScale(), maximum);
    EXPECT_DOUBLE_EQ(manual->imageView->frame().size.width, unzoomed.width * maximum / minimum);
    EXPECT_EQ(scrollView->contentSize(), manual->imageView->frame().size);

    scrollView->setZoomScale(0.01);
    EXPECT_EQ(scrollView->zoomScale(), minimum);
    EXPECT_DOUBLE_EQ(manual->imageView->frame().size.height, unzoomed.height);
}
