#pragma once

#include <functional>
#include <vector>

#include "Radixel/services/OnboardingPages.hpp"
#include "platform/onboardkit/OnboardViewController.hpp"

// Turns the application's page tables into pages of the introduction screen, gives the screen
// the application's look, and records that an introduction was seen to its end.
//
// Every "§appname" in a description becomes the application's name in straight double quotes;
// titles and the other texts pass unchanged. The last page's button says "letsStart", all
// others "next", so a one-page table has only the "letsStart" button.
//
// Whichever introduction finishes (the main one or the videos') sets "isOnboardingFinished", so
// the main one is not shown at the next start either.
class OnboardingManager {
public:
    OnboardingManager() = delete;

    static std::vector<OnboardKit::OnboardPage> makePages(const std::vector<OnboardingPageRecord>& table);
    static OnboardKit::OnboardViewController::AppearanceConfiguration makeAppearanceConfiguration();

    // Stores the flag, then runs the completion.
    static void finishOnboarding(const std::function<void()>& completion = {});
    static void markOnboardingFinished();
};
