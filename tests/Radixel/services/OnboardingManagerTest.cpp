#include <gtest/gtest.h>

#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/LocalizedAppName.hpp"
#include "Radixel/services/OnboardingManager.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/uikit/UIImage.hpp"

using uikit::testing::Harness;

namespace {

OnboardingPageRecord record(std::string description) { return {"Title", "main_onboarding_1", "", description}; }

std::string quotedName() { return "\"" + localizedAppName() + "\""; }

}  // namespace

TEST(OnboardingManagerTest, TheAppNameFillsTheDescriptionsAndOnlyTheLastPageSaysLetsStart) {
    const std::string next = NSLocalizedString("next", "Next"), letsStart = NSLocalizedString("letsStart", "");
    ASSERT_NE(next, letsStart);
    std::vector<OnboardKit::OnboardPage> pages = OnboardingManager::makePages({
        {"§appname", "§appname", "§appname", "Welcome to §appname, the solver."},
        record("§appname and §appname"),
        record("No placeholder, only § and appname."),
    });
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].title + pages[0].imageName + pages[0].videoName, "§appname§appname§appname");
    EXPECT_EQ(pages[0].description, "Welcome to " + quotedName() + ", the solver.");
    EXPECT_EQ(pages[1].description, quotedName() + " and " + quotedName());
    EXPECT_EQ(pages[2].description, "No placeholder, only § and appname.");
    for (const auto& page : pages) EXPECT_EQ(page.advanceButtonTitle, &page == &pages.back() ? letsStart : next);
}

TEST(OnboardingManagerTest, EveryPageHasItsPictureAndATranslatedText) {
    Harness h;
    for (const auto& table : {onboardingPages(), youtubeOnboardingPages()}) {
        ASSERT_EQ(table.size(), 5u);
        std::set<std::string> texts;
        for (const auto& page : OnboardingManager::makePages(table)) {
            std::shared_ptr<UIImage> image = UIImage::imageNamed(page.imageName);
            ASSERT_TRUE(image) << page.imageName;
            EXPECT_GE(image->size().width, 200) << page.imageName;
            EXPECT_EQ(page.description.find("onboarding"), std::string::npos) << page.description;
            EXPECT_TRUE(texts.insert(page.description).second) << page.description;
        }
    }
}

using OnboardingScreenTest = ShownScreenTest;

TEST_F(OnboardingScreenTest, FinishingEitherIntroductionIsRemembered) {
    auto videos = std::make_shared<OnboardKit::OnboardViewController>(
        OnboardingManager::makePages(youtubeOnboardingPages()), OnboardingManager::makeAppearanceConfiguration(),
        [] { OnboardingManager::markOnboardingFinished(); });
    videos->presentFrom(screen.controller, false);
    UIButton& button = *videos->advanceButton();
    EXPECT_EQ(std::tuple(*button.titleColorForState(UIControlStateNormal), button.titleLabel()->font().pointSize(),
                         button.layer()->shadowOpacity(), videos->descriptionLabel()->textColor(),
                         videos->view()->backgroundColor()),
              std::tuple(KeTuColor::color2(), 20, 0.7f, UIColor::labelColor(), UIColor::systemBackgroundColor()));
    while (!videos->isFinished() && h.tap(videos->advanceButton())) {
    }
    EXPECT_TRUE(videos->isFinished());
    EXPECT_TRUE(DefaultsKeys::isOnboardingFinished.get());

    DefaultsKeys::isOnboardingFinished.remove();
    bool sawFinished = false;
    OnboardingManager::finishOnboarding([&] { sawFinished = DefaultsKeys::isOnboardingFinished.get(); });
    EXPECT_TRUE(sawFinished);
}
