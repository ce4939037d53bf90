#include "Radixel/AppDelegate.hpp"

#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/screens/menu/LeftViewController.hpp"
#include "Radixel/screens/root/AppNavigationDrawerController.hpp"
#include "Radixel/screens/root/AppPageTabBarController.hpp"
#include "Radixel/screens/root/AppToolbarController.hpp"
#include "Radixel/screens/root/MenuToolbarController.hpp"
#include "Radixel/screens/root/Storyboards.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/services/CalcManager.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/DsgvoManager.hpp"
#include "Radixel/services/OnboardingManager.hpp"
#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/SavedDataAlert.hpp"
#include "platform/didevero/DDVApp.hpp"
#include "platform/foundation/NSUserDefaults.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIStoryboard.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

// Fetched values younger than this come from the client's cache.
constexpr double remoteConfigExpiration = 21600.0;

template <class T>
std::shared_ptr<T> scene(const std::string& storyboard, const std::string& identifier) {
    return UIStoryboard::storyboardWithName(storyboard, nullptr)
        ->instantiateViewControllerWithIdentifier<T>(identifier);
}

}  // namespace

AppDelegate::AppDelegate() { registerStoryboards(); }

std::shared_ptr<CalculateViewController> AppDelegate::calculateViewController() {
    if (!calculateViewController_)
        calculateViewController_ = scene<CalculateViewController>("Main", "CalculateViewController");
    return calculateViewController_;
}

std::shared_ptr<LeftViewController> AppDelegate::leftViewController() {
    if (!leftViewController_) leftViewController_ = scene<LeftViewController>("Main", "LeftViewController");
    return leftViewController_;
}

std::shared_ptr<SolutionViewController> AppDelegate::solutionViewController() {
    if (!solutionViewController_)
        solutionViewController_ = scene<SolutionViewController>("SolutionViewController", "SolutionViewController");
    return solutionViewController_;
}

std::shared_ptr<AppPageTabBarController> AppDelegate::pageTabBarController() {
    if (!pageTabBarController_) {
        std::vector<std::shared_ptr<UIViewController>> pages{calculateViewController(), solutionViewController()};
        pageTabBarController_ = std::make_shared<AppPageTabBarController>(std::move(pages), 0);
    }
    return pageTabBarController_;
}

std::shared_ptr<AppToolbarController> AppDelegate::appToolbarController() {
    if (!appToolbarController_) appToolbarController_ = std::make_shared<AppToolbarController>(pageTabBarController());
    return appToolbarController_;
}

// UIApplicationDelegate

bool AppDelegate::applicationDidFinishLaunchingWithOptions(UIApplication& /*application*/,
                                                           const UIApplicationLaunchOptions& /*options*/) {
    // First, or the events logged during start-up are dropped.
    DDVApp::configure();

    RemoteConfigManager& remoteConfig = RemoteConfigManager::shared();
    const RADEvuvozUziduz& client = *RADEvuvozUziduz::remoteConfig();
    remoteConfig.loadApps(client);
    remoteConfig.loadAds(client);
    remoteConfig.loadOffers(client);
    remoteConfig.loadUmpReferenceData(client);
    remoteConfig.loadVideoTutorials(client);

    CalcManager::shared().resetHistoryOnFirstStart();

    auto menu = std::make_shared<MenuToolbarController>(leftViewController());
    auto drawer = std::make_shared<AppNavigationDrawerController>(appToolbarController(), menu, nullptr);
    window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    window->setRootViewController(drawer);
    window->makeKeyAndVisible();

    showOnboardingAndPrivacyIfNeeded(drawer);
    // Last, so that it is shown over the introduction and the privacy prompt.
    SavedDataAlert::startWatching();
    return true;
}

void AppDelegate::applicationDidBecomeActive(UIApplication& /*application*/) {
    // A save that failed (a full disk) is not left waiting for the next change.
    NSUserDefaults::standardUserDefaults()->retryFailedSave();
    RemoteConfigManager& remoteConfig = RemoteConfigManager::shared();
    remoteConfig.remoteConfig()->fetchWithExpirationDuration(remoteConfigExpiration,
                                                             remoteConfig.fetchCompletionHandler());
}

void AppDelegate::applicationWillResignActive(UIApplication& /*application*/) {}
void AppDelegate::applicationDidEnterBackground(UIApplication& /*application*/) {}
void AppDelegate::applicationWillEnterForeground(UIApplication& /*application*/) {}
void AppDelegate::applicationWillTerminate(UIApplication& /*application*/) {}

void AppDelegate::showOnboardingAndPrivacyIfNeeded(const std::shared_ptr<UIViewController>& presenter) {
    std::shared_ptr<UIViewController> onboarding;
    if (!DefaultsKeys::isOnboardingFinished.get()) {
        auto pages = OnboardingManager::makePages(onboardingPages());
        auto appearance = OnboardingManager::makeAppearanceConfiguration();
        auto controller = std::make_shared<OnboardKit::OnboardViewController>(
            std::move(pages), std::move(appearance), [] { OnboardingManager::finishOnboarding(); });
        controller->setModalPresentationStyle(UIModalPresentationStyle::OverFullScreen);
        controller->presentFrom(presenter, false);
        onboarding = controller;
    }
    if (!DefaultsKeys::isDsgvoAccepted.get()) {
        DsgvoManager::showPrivacyPolicyAlert(onboarding ? onboarding : presenter);
    }
}
