#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UIStoryboard.hpp"
#include "platform/uikit/UITextField.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

class CountingController : public UIViewController {
public:
    int willLayout = 0;
    int didLayout = 0;
    void viewWillLayoutSubviews() override { ++willLayout; }
    void viewDidLayoutSubviews() override { ++didLayout; }
};

std::shared_ptr<UIWindowScene> firstScene()
{
    for (const auto& scene : UIApplication::sharedApplication().connectedScenes()) {
        if (auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scene)) {
            return windowScene;
        }
    }
    return nullptr;
}

} // namespace

TEST(UIWindow, WindowsJoinTheFirstSceneInCreationOrderAndLeaveWhenReleased)
{
    UIApplication::resetSharedApplication();
    auto appWindow = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    ASSERT_TRUE(firstScene());
    EXPECT_EQ(UIApplication::sharedApplication().connectedScenes().size(), 1u);
    auto second = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    second->setSafeAreaInsets(UIEdgeInsets{0, 0, 21, 0});
    auto windows = firstScene()->windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows.front(), appWindow);
    EXPECT_EQ(windows.back()->windowSafeAreaInsets().bottom, 21);
    windows.clear();
    second.reset();
    EXPECT_EQ(firstScene()->windows().size(), 1u);
    EXPECT_EQ(appWindow->windowScene(), firstScene());
}

TEST(UIWindow, LayoutPassesReachTheRootControllerOnlyWhenSomethingChanged)
{
    auto window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    auto root = std::make_shared<CountingController>();
    window->setRootViewController(root);
    window->makeKeyAndVisible();
    RunLoop::main().runUntilIdle();
    int before = root->willLayout;
    EXPECT_GE(before, 1);
    EXPECT_EQ(root->willLayout, root->didLayout);
    window->layoutIfNeeded();
    EXPECT_EQ(root->willLayout, before);
    root->view()->setNeedsLayout();
    window->layoutIfNeeded();
    EXPECT_EQ(root->willLayout, before + 1);
    EXPECT_EQ(root->didLayout, before + 1);
}

TEST(UIApplication, LinksOpenOnlyThroughInstalledHandlers)
{
    UIApplication::resetSharedApplication();
    auto& app = UIApplication::sharedApplication();
    EXPECT_FALSE(app.canOpenURL("radixelpro://open"));
    app.installURLHandler("radixelpro");
    EXPECT_TRUE(app.canOpenURL("radixelpro://open"));
    EXPECT_FALSE(app.canOpenURL("https://example.org"));
    bool handed = true;
    app.openURL("https://example.org/store", {}, [&](bool ok) { handed = ok; });
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(app.openedURLs(), (std::vector<std::string>{"https://example.org/store"}));
    EXPECT_FALSE(handed); // no opener installed headless
}

TEST(UIApplication, LifeCycleCallsThatDoNotFitTheStateAreIgnored)
{
    UIApplication::resetSharedApplication();
    auto& app = UIApplication::sharedApplication();
    app.becomeActive(); // not launched yet
    EXPECT_EQ(app.applicationState(), UIApplicationState::Inactive);
    app.launch();
    EXPECT_EQ(app.applicationState(), UIApplicationState::Active);
    app.enterForeground(); // not in the background
    EXPECT_EQ(app.applicationState(), UIApplicationState::Active);
    app.enterBackground();
    EXPECT_EQ(app.applicationState(), UIApplicationState::Background);
    app.becomeActive();
    EXPECT_EQ(app.applicationState(), UIApplicationState::Active);
}

TEST(UIView, RemovingAnEditingFieldEndsEditing)
{
    auto root = std::make_shared<UIView>();
    auto field = std::make_shared<UITextField>();
    root->addSubview(field);
    field->tap();
    ASSERT_TRUE(field->isFirstResponder());
    field->removeFromSuperview();
    EXPECT_FALSE(field->isFirstResponder());
}

TEST(UIStoryboardDeathTest, ASceneOfTheWrongClassIsFatal)
{
    UIStoryboard::registerScene("Main", "LeftViewController", [](const NSCoder&) { return std::make_shared<UIViewController>(); });
    auto storyboard = UIStoryboard::storyboardWithName("Main", nullptr);
    EXPECT_DEATH(storyboard->instantiateViewControllerWithIdentifier<CountingController>("LeftViewController"), "is a UIViewController");
    EXPECT_TRUE(storyboard->instantiateViewControllerWithIdentifier<UIViewController>("LeftViewController"));
    UIStoryboard::removeAllRegistrations();
}
