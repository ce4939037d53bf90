#include <gtest/gtest.h>

#include <memory>

#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

class ListController : public UIViewController {
public:
    CGSize preferredContentSize() const override { return {80, 120}; }
};

class WantsFullScreen : public UIViewController {
public:
    UIModalPresentationStyle adaptivePresentationStyleForPresentationController(UIPopoverPresentationController&,
                                                                                const UITraitCollection&) override
    {
        return UIModalPresentationStyle::FullScreen;
    }
};

struct Screen {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    std::shared_ptr<UIViewController> root;
    std::shared_ptr<UIView> anchor = std::make_shared<UIView>(CGRect{300, 100, 60, 40});

    explicit Screen(std::shared_ptr<UIViewController> rootController) : root(std::move(rootController))
    {
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        root->view()->addSubview(anchor);
        RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<ListController> presentList(bool withDelegate = true)
    {
        auto list = std::make_shared<ListController>();
        list->setModalPresentationStyle(UIModalPresentationStyle::Popover);
        auto popover = list->popoverPresentationController();
        popover->setSourceView(anchor);
        popover->setSourceRect(anchor->bounds());
        if (withDelegate) {
            popover->setDelegate(root);
        }
        root->presentViewController(list, false);
        return list;
    }
};

} // namespace

TEST(Popover, AControllerAsDelegateKeepsItAPopoverAtItsPreferredSizeByTheSource)
{
    Screen screen(std::make_shared<UIViewController>());
    auto list = screen.presentList();
    EXPECT_EQ(screen.root->appearanceState(), UIAppearanceState::Appeared); // not covered
    EXPECT_EQ(list->appearanceState(), UIAppearanceState::Appeared);

    // Below the anchor, centred on it but kept 8 points inside the window. The list's size, its
    // outline and its closing are the selection popup's own end-to-end test.
    auto container = list->popoverPresentationController()->containerView();
    ASSERT_TRUE(container);
    EXPECT_EQ(container->superview(), screen.window);
    EXPECT_EQ(container->frame(), (CGRect{290, 140, 80, 120}));
    EXPECT_TRUE(list->view()->isDescendantOfView(container.get()));
    list->dismissViewControllerAnimated(false);
    EXPECT_EQ(container->superview(), nullptr);
    EXPECT_EQ(list->popoverPresentationController()->containerView(), nullptr);
}

TEST(Popover, OnAPhoneItIsFullScreenWithoutADelegateOrWhenTheDelegateAsks)
{
    for (bool delegateAsks : {false, true}) {
        SCOPED_TRACE(delegateAsks ? "delegate asks for full screen" : "no delegate");
        Screen screen(delegateAsks ? std::make_shared<WantsFullScreen>() : std::make_shared<UIViewController>());
        auto list = screen.presentList(delegateAsks);
        EXPECT_EQ(list->popoverPresentationController()->containerView(), nullptr);
        EXPECT_EQ(list->view()->superview(), screen.window);
        EXPECT_EQ(list->view()->frame(), screen.window->bounds());
        EXPECT_EQ(screen.root->appearanceState(), UIAppearanceState::Disappeared);
        list->dismissViewControllerAnimated(false);
        EXPECT_EQ(screen.root->appearanceState(), UIAppearanceState::Appeared);
    }
}

TEST(Popover, PlacementGoesWhereThereIsRoom)
{
    const CGRect window{0, 0, 400, 800};
    const UIEdgeInsets safe{47, 0, 34, 0};
    // No room below a source near the bottom: above it.
    EXPECT_EQ(UIPopoverPresentationController::frameInWindow({100, 200}, {10, 700, 40, 40}, window, safe), (CGRect{8, 500, 100, 200}));
    // Nothing preferred: the default size.
    EXPECT_EQ(UIPopoverPresentationController::frameInWindow({0, 0}, {180, 100, 40, 40}, window, safe).size, (CGSize{320, 320}));
    // Too tall for either side: the larger side, cut to fit; too wide: the safe width.
    CGRect cut = UIPopoverPresentationController::frameInWindow({1000, 1000}, {0, 300, 400, 40}, window, safe);
    EXPECT_EQ(cut, (CGRect{8, 340, 384, 418}));
}
