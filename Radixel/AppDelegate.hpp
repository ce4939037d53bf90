#pragma once

#include <memory>

#include "platform/uikit/UIApplicationDelegate.hpp"
#include "platform/uikit/UIResponder.hpp"

class AppPageTabBarController;
class AppToolbarController;
class CalculateViewController;
class LeftViewController;
class SolutionViewController;
class UIViewController;
class UIWindow;

// The application object: builds the screen hierarchy at launch (the drawer with the menu on
// the left, the page toolbar, the page tabs over the calculate and solution pages), seeds the
// history on the installation's very first start, shows the introduction and the privacy
// prompt while they are due, and asks for new remote configuration each time the application
// becomes active.
//
// The screens are made on first read and kept. The drawer menu and the history screen make
// further delegates only to read a fresh appToolbarController; those never launch.
class AppDelegate : public UIResponder, public UIApplicationDelegate {
public:
    AppDelegate();

    std::shared_ptr<UIWindow> window;

    std::shared_ptr<CalculateViewController> calculateViewController();
    std::shared_ptr<LeftViewController> leftViewController();
    std::shared_ptr<SolutionViewController> solutionViewController();
    std::shared_ptr<AppPageTabBarController> pageTabBarController();
    std::shared_ptr<AppToolbarController> appToolbarController();

    // UIApplicationDelegate
    bool applicationDidFinishLaunchingWithOptions(UIApplication& application,
                                                  const UIApplicationLaunchOptions& options) override;
    void applicationDidBecomeActive(UIApplication& application) override;
    void applicationWillResignActive(UIApplication& application) override;
    void applicationDidEnterBackground(UIApplication& application) override;
    void applicationWillEnterForeground(UIApplication& application) override;
    void applicationWillTerminate(UIApplication& application) override;

    // The introduction when it was never finished, then the privacy prompt when the policy was
    // never accepted: over the introduction when that is showing, else over the presenter.
    void showOnboardingAndPrivacyIfNeeded(const std::shared_ptr<UIViewController>& presenter);

private:
    std::shared_ptr<CalculateViewController> calculateViewController_;
    std::shared_ptr<LeftViewController> leftViewController_;
    std::shared_ptr<SolutionViewController> solutionViewController_;
    std::shared_ptr<AppPageTabBarController> pageTabBarController_;
    std::shared_ptr<AppToolbarController> appToolbarController_;
};
