#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "Radixel/AppDelegate.hpp"
#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/screens/root/AppPageTabBarController.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/RemoteConfigManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIStackView.hpp"

// The application launched through the harness on defaults of its own, as a user finds it:
// by default past the introduction and the privacy prompt, so the calculate page takes input.
class LaunchedApp {
public:
    struct Answers {
        bool onboardingFinished = true;
        bool privacyAccepted = true;
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

    CalculateViewController& calculate() { return *app->calculateViewController(); }
    SolutionViewController& solution() { return *app->solutionViewController(); }
    AppPageTabBarController& pages() { return *app->pageTabBarController(); }
    DTTextField& p() { return *calculate().pTextField; }
    DTTextField& q() { return *calculate().qTextField; }

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
    bool tapCalculate() { return h.tap(calculate().calculateButton); }
    bool tapDelete() { return h.tap(calculate().deleteButton); }
    bool tapClear() { return h.tapAccessibilityIdentifier("toolbarRemoveButton"); }

    // The remote configuration's fetches complete on other threads, and their loaders announce
    // on the shared notification centre: one still running when a test ends would be heard by
    // the next. So once the harness has let go of the test's manager, wait (a short while at
    // most) until no completion holds it any more.
    struct BackgroundFetches {
        std::weak_ptr<RemoteConfigManager> manager;
        ~BackgroundFetches() {
            for (int wait = 0; wait < 200 && !manager.expired(); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
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
