#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "Radixel/AppDelegate.hpp"
#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/screens/history/HistoryTableViewController.hpp"
#include "Radixel/screens/menu/LeftViewController.hpp"
#include "Radixel/screens/root/AppNavigationDrawerController.hpp"
#include "Radixel/screens/root/AppPageTabBarController.hpp"
#include "Radixel/screens/root/AppToolbarController.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/services/CalcManager.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "platform/didevero/RADEvuvozUziduz.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/material/TabsController.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "support/LocalHttpServer.hpp"

// The application launched through the harness on defaults of its own, as a user finds it:
// by default past the introduction and the privacy prompt, so the calculate page takes input.
// The screens are reached as a user reaches them: the toolbar's menu button, then a menu row.
class LaunchedApp {
public:
    using Steps = CalculateViewController::Steps;
    struct Answers {
        bool onboardingFinished = true, privacyAccepted = true;
    };

    void launch(Answers answers) {
        if (answers.onboardingFinished) DefaultsKeys::isOnboardingFinished.set(true);
        if (answers.privacyAccepted) DefaultsKeys::isDsgvoAccepted.set(true);
        launch();
    }
    void launch() {
        app = h.launch<AppDelegate>();
        fetches.manager = RemoteConfigManager::shared().weak_from_this();
    }
    void restart() {
        h.simulateRestart();
        launch();
    }

    // The places as they are now: the menu's rows build new pages.
    std::shared_ptr<AppNavigationDrawerController> drawer() {
        return std::dynamic_pointer_cast<AppNavigationDrawerController>(h.rootViewController());
    }
    std::shared_ptr<AppToolbarController> toolbar() {
        auto d = drawer();
        return d ? std::dynamic_pointer_cast<AppToolbarController>(d->rootViewController()) : nullptr;
    }
    // Remote values activated in an earlier run, for the next launch to load.
    void holdRemoteValues(const nlohmann::json& values) {
        std::ofstream(defaults.folder.path() / RADEvuvozUziduz::storageFileName)
            << nlohmann::json{{"activatedValues", values}};
    }
    static nlohmann::json videoTutorials(const std::vector<std::string>& links) {
        return {{"videoTutorials", nlohmann::json{{"ZV", {{"en", links}}}}.dump()}};
    }

    // The page of that kind among the page tabs shown now.
    template <class Page>
    std::shared_ptr<Page> shownPage() {
        auto t = toolbar();
        auto tabs = t ? std::dynamic_pointer_cast<Material::TabsController>(t->rootViewController()) : nullptr;
        if (tabs)
            for (const auto& controller : tabs->viewControllers())
                if (auto found = std::dynamic_pointer_cast<Page>(controller)) return found;
        return nullptr;
    }
    LeftViewController& menu() { return *app->leftViewController(); }
    CalculateViewController& calculate() { return *app->calculateViewController(); }
    SolutionViewController& solution() { return *app->solutionViewController(); }
    AppPageTabBarController& pages() { return *app->pageTabBarController(); }
    DTTextField& p() { return *calculate().pTextField; }
    DTTextField& q() { return *calculate().qTextField; }

    // Through the toolbar's menu button; forgets the events so far.
    void openMenu() {
        ASSERT_TRUE(h.tap(toolbar()->menuButton));
        ASSERT_TRUE(drawer()->isLeftViewOpened());
        h.analytics().clear();
    }
    bool tapMenuRow(NSIndexPath row) { return h.tapRow(menu().tableView(), row); }
    // The history through the menu; forgets the events so far.
    std::shared_ptr<HistoryTableViewController> openHistory() {
        openMenu();
        tapMenuRow({0, 1});
        h.finishAnimations();
        h.analytics().clear();
        auto history = std::dynamic_pointer_cast<HistoryTableViewController>(toolbar()->rootViewController());
        if (!history) ADD_FAILURE() << "the history is not shown";
        return history;
    }

    // The keypad key with that title; the test fails when there is none.
    std::shared_ptr<UIButton> key(const std::string& title) {
        auto found = keyIn(*calculate().keypadStackView, title);
        if (!found) ADD_FAILURE() << "no key titled " << title;
        return found;
    }
    // Taps the keys of the text one by one, as a user types on the keypad.
    void type(const std::string& keys) {
        for (char c : keys) h.tap(key(std::string(1, c)));
    }
    void enter(const std::string& pText, const std::string& qText) {
        h.focus(calculate().pTextField);
        type(pText);
        h.focus(calculate().qTextField);
        type(qText);
    }
    // The title of the alert on top; none without one.
    std::optional<std::string> alertTitle() const {
        return h.presentedAlert() ? h.presentedAlert()->title() : std::nullopt;
    }
    bool tapCalculate() { return h.tap(calculate().calculateButton); }
    bool tapDelete() { return h.tap(calculate().deleteButton); }
    bool tapClear() { return h.tapAccessibilityIdentifier("toolbarRemoveButton"); }
    std::shared_ptr<UIActivityViewController> sheet() const { return h.presented<UIActivityViewController>(); }
    // The one picture the solution page's sheet offers once the note is answered; none when there
    // is not exactly one.
    std::shared_ptr<UIImage> sharedPicture() {
        if (!sheet()) {
            solution().share();
            h.runUntilIdle();
            h.tapAlertAction("OK");
            h.finishAnimations();
        }
        if (!sheet()) return nullptr;
        auto images = sheet()->activityItemsOfType<std::shared_ptr<UIImage>>();
        return images.size() == 1 ? images[0] : nullptr;
    }

    // Fetches complete on other threads and announce on the shared notification centre, where the
    // next test would hear one still running: wait (a short while at most) until none holds the manager.
    struct BackgroundFetches {
        std::weak_ptr<RemoteConfigManager> manager;
        ~BackgroundFetches() {
            for (int wait = 0; wait < 200 && !manager.expired(); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    };

    // An environment variable (the endpoints the app asks, the home folder) for the object's lifetime.
    struct ScopedEnvironment {
        ScopedEnvironment(const char* name, const std::string& value) : name(name) {
            if (const char* set = std::getenv(name)) before = set;
            ::setenv(name, value.c_str(), 1);
        }
        ~ScopedEnvironment() { before ? ::setenv(name, before->c_str(), 1) : ::unsetenv(name); }
        const char* name;
        std::optional<std::string> before;
    };

    ScratchDefaults defaults;
    BackgroundFetches fetches;
    uikit::testing::Harness h;
    std::shared_ptr<AppDelegate> app;

    // The button with that title anywhere under the view.
    static std::shared_ptr<UIButton> keyIn(UIView& view, const std::string& title) {
        for (const auto& sub : view.subviews()) {
            auto button = std::dynamic_pointer_cast<UIButton>(sub);
            if (button && button->titleForState(UIControlStateNormal) == title) return button;
            if (auto deeper = keyIn(*sub, title)) return deeper;
        }
        return nullptr;
    }
};
