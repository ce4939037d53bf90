#include "Radixel/services/OnboardingManager.hpp"

#include <string_view>

#include "Radixel/services/ColorManager.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/LocalizedAppName.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/foundation/NSBundle.hpp"

namespace {

constexpr std::string_view appNamePlaceholder = "§appname";

std::string replacingAppName(std::string description) {
    std::string quotedName = "\"" + localizedAppName() + "\"";
    for (std::size_t at = description.find(appNamePlaceholder); at != std::string::npos;
         at = description.find(appNamePlaceholder, at + quotedName.size()))
        description.replace(at, appNamePlaceholder.size(), quotedName);
    return description;
}

void styleAdvanceButton(const std::shared_ptr<UIButton>& button, const UIColor& tint) {
    button->setTitleColor(tint, UIControlStateNormal);
    if (auto titleLabel = button->titleLabel()) titleLabel->setFont(UIFont::systemFontOfSize(20, UIFontWeightSemibold));
    ColorManager::applyLightStyleShadow(*button->layer());
}

}  // namespace

std::vector<OnboardKit::OnboardPage> OnboardingManager::makePages(const std::vector<OnboardingPageRecord>& table) {
    std::vector<OnboardKit::OnboardPage> pages;
    pages.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const OnboardingPageRecord& record = table[i];
        bool last = i + 1 == table.size();
        pages.push_back({record.title, record.imageName, record.videoName, replacingAppName(record.description),
                         last ? NSLocalizedString("letsStart", "Let's start") : NSLocalizedString("next", "Next"),
                         std::nullopt, nullptr});
    }
    return pages;
}

OnboardKit::OnboardViewController::AppearanceConfiguration OnboardingManager::makeAppearanceConfiguration() {
    UIColor tint = KeTuColor::color2();
    OnboardKit::OnboardViewController::AppearanceConfiguration appearance;
    appearance.tintColor = tint;
    appearance.titleColor = ThemeColor::label();
    appearance.textColor = ThemeColor::label();
    appearance.backgroundColor = ThemeColor::background();
    appearance.imageContentMode = UIViewContentMode::Center;
    appearance.titleFont = UIFont::preferredFontForTextStyle(UIFontTextStyle::Title1);
    appearance.textFont = UIFont::preferredFontForTextStyle(UIFontTextStyle::Body);
    appearance.advanceButtonStyling = [tint](const std::shared_ptr<UIButton>& button) {
        styleAdvanceButton(button, tint);
    };
    appearance.actionButtonStyling = nullptr;
    return appearance;
}

void OnboardingManager::finishOnboarding(const std::function<void()>& completion) {
    markOnboardingFinished();
    if (completion) completion();
}

void OnboardingManager::markOnboardingFinished() { DefaultsKeys::isOnboardingFinished.set(true); }
