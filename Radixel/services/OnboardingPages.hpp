#pragma once

#include <string>
#include <vector>

// One page of an introduction as the application describes it: the texts OnboardingManager
// turns into a page of the introduction screen. description may hold "§appname", which becomes
// the application's name when the page is made.
struct OnboardingPageRecord {
    std::string title;
    std::string imageName;
    std::string videoName;
    std::string description;
};

// The main introduction (first start and the menu) and the one before the tutorial videos,
// their descriptions in the user's language, built on first use and kept (copies are handed out, so
// a table never changes under its reader).
std::vector<OnboardingPageRecord> onboardingPages();
std::vector<OnboardingPageRecord> youtubeOnboardingPages();
