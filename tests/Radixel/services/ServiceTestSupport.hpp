#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/NSUserDefaults.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"
#include "support/ScratchFolder.hpp"

// A window of the screen's size showing a plain screen, as the application's first window: what
// the services find when they look for "the" window. The window lives as long as the returned
// object.
struct ShownScreen {
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UIViewController> controller;

    explicit ShownScreen(uikit::testing::Harness& harness, CGRect frame = UIScreen::mainScreen().bounds())
        : window(std::make_shared<UIWindow>(frame)), controller(std::make_shared<UIViewController>()) {
        window->setRootViewController(controller);
        window->makeKeyAndVisible();
        harness.runUntilIdle();
    }
};

// Standard user defaults of their own, in a scratch data folder, for as long as the object
// lives. Declare it before the harness, so the harness goes first.
struct ScratchDefaults {
    ScratchFolder folder;

    ScratchDefaults() {
        NSUserDefaults::resetStandardUserDefaultsForTesting();
        folder.useAsAppDataDirectory();
    }
    ~ScratchDefaults() { NSUserDefaults::resetStandardUserDefaultsForTesting(); }
    ScratchDefaults(const ScratchDefaults&) = delete;
    ScratchDefaults& operator=(const ScratchDefaults&) = delete;
};

// A plain screen shown over defaults of its own.
class ShownScreenTest : public ::testing::Test {
protected:
    std::vector<std::string> alertButtons() const {
        std::vector<std::string> titles;
        if (auto alert = h.presentedAlert())
            for (const auto& action : alert->actions()) titles.push_back(action->title().value_or(""));
        return titles;
    }

    ScratchDefaults defaults;
    uikit::testing::Harness h;
    ShownScreen screen{h};
};
