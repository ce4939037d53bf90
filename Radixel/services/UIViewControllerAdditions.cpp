#include "Radixel/services/UIViewControllerAdditions.hpp"

#include <cstdlib>
#include <utility>

#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "measurement/DDVAnalytics.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/URL.hpp"
#include "platform/foundation/URLSession.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/material/TabBar.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

constexpr const char* defaultInternetCheckURL = "https://example.com/";

void showNoInternetAlert(UIViewController& controller, std::vector<std::shared_ptr<UIAlertAction>> actions) {
    showAlert(controller, NSLocalizedString("noInternet", "No internet"), std::nullopt, actions,
              UIAlertControllerStyle::Alert);
}

}  // namespace

void showAlert(UIViewController& controller, std::optional<std::string> title, std::optional<std::string> message,
               const std::vector<std::shared_ptr<UIAlertAction>>& actions, UIAlertControllerStyle style) {
    auto alert = UIAlertController::alertControllerWithTitle(std::move(title), std::move(message), style);
    if (actions.empty()) {
        alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::Default,
                                                        [](const std::shared_ptr<UIAlertAction>&) {}));
    } else {
        for (const std::shared_ptr<UIAlertAction>& action : actions) alert->addAction(action);
    }
    controller.presentViewController(alert, true);
}

void setupPageTabItem(UIViewController& controller, const std::string& title, bool enabled) {
    std::shared_ptr<Material::TabItem> item = Material::tabItem(controller);
    item->setTitle(title);
    if (std::optional<UIFont> font = UIFont::fontWithName("Avenir-Medium", 14)) item->titleLabel()->setFont(*font);
    item->setEnabled(enabled);
    item->setTitleColor(enabled ? ThemeColor::lightText() : ThemeColor::gray());
}

void openRatingPage(UIViewController& controller) {
    std::optional<AppMetaData> app = RemoteConfigManager::shared().getCurrentApp();
    if (!app) return showNoInternetAlert(controller, {});

    std::optional<URL> link = URL::string(app->ratingURLPro);
    UIApplication& application = UIApplication::sharedApplication();
    if (!link || !application.canOpenURL(*link)) return;
    application.openURL(*link, {}, nullptr);
    auto english = app->appName.find("en");
    DDVAnalytics::logEventWithName("Tapped Rating in Menu",
                                   {{"ketuApp", english == app->appName.end() ? "" : english->second}});
}

std::string internetCheckURL() {
    const char* configured = std::getenv("RADIXEL_INTERNET_CHECK_URL");
    return configured && *configured ? configured : defaultInternetCheckURL;
}

void checkInternetConnection(UIViewController& controller, std::function<void()> action,
                             InternetCheckFailureAction failureAction) {
    // Everything the answer needs travels in one bundle that the session's thread only passes
    // on: the controller must never be released off the main thread.
    struct Pending {
        std::shared_ptr<UIViewController> controller;
        std::function<void()> action;
        InternetCheckFailureAction failureAction;
    };
    auto pending = std::make_shared<Pending>(
        Pending{controller.as<UIViewController>(), std::move(action), std::move(failureAction)});

    auto completion = [pending = std::move(pending)](
                          std::optional<std::string>, std::optional<NSHTTPURLResponse> response,
                          std::optional<NSError>) mutable {
        bool answered = response.has_value();
        DispatchQueue::main().async([pending = std::move(pending), answered] {
            if (answered) return pending->action();
            std::vector<std::shared_ptr<UIAlertAction>> actions;
            if (pending->failureAction) {
                actions.push_back(UIAlertAction::actionWithTitle(
                    "OK", UIAlertActionStyle::Default,
                    [failureAction = pending->failureAction](const std::shared_ptr<UIAlertAction>& tapped) {
                        failureAction(tapped);
                    }));
            }
            showNoInternetAlert(*pending->controller, std::move(actions));
        });
    };
    URLSession::sharedSession().dataTaskWithURL(internetCheckURL(), std::move(completion))->resume();
}

CGFloat bottomSafeAreaInset() {
    std::vector<std::shared_ptr<UIScene>> scenes = UIApplication::sharedApplication().connectedScenes();
    if (scenes.empty()) return 0;
    auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scenes.front());
    if (!windowScene) return 0;
    std::vector<std::shared_ptr<UIWindow>> windows = windowScene->windows();
    return windows.empty() ? 0 : windows.back()->safeAreaInsets().bottom;
}
