#include "Radixel/services/OnboardingPages.hpp"

#include <memory>

#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/ProcessLifetime.hpp"

namespace {

using PageTable = std::vector<OnboardingPageRecord>;

// The image names are those of the pictures in the resources; the key is also the comment.
OnboardingPageRecord page(const char* imageName, const char* descriptionKey) {
    return {"", imageName, "", NSLocalizedString(descriptionKey, descriptionKey)};
}

}  // namespace

std::vector<OnboardingPageRecord> onboardingPages() {
    static ProcessShared<const PageTable> table([] {
        return std::make_shared<const PageTable>(PageTable{
            page("main_onboarding_1", "onboardingA"),
            page("single_onboarding_2", "onboardingB"),
            page("single_onboarding_3", "onboardingC"),
            page("single_onboarding_4", "onboardingD"),
            page("main_onboarding_4", "onboardingE"),
        });
    });
    return *table.get();
}

std::vector<OnboardingPageRecord> youtubeOnboardingPages() {
    static ProcessShared<const PageTable> table([] {
        return std::make_shared<const PageTable>(PageTable{
            page("onboarding_youtube_1", "onboardingYoutube1"),
            page("onboarding_youtube_2", "onboardingYoutube2"),
            page("onboarding_youtube_3", "onboardingYoutube3"),
            page("onboarding_youtube_4", "onboardingYoutube4"),
            page("onboarding_youtube_5", "onboardingYoutube5"),
        });
    });
    return *table.get();
}
