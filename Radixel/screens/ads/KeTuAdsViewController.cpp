// The cross-promotion screen: the advertised app's picture in the application language, a close
// button and a discount button whose title carries the ad's discount.
//
// Non-obvious cases: without an ad record the screen still works, with no picture, no discount
// title, "unknown" as the ad in its events, and a discount button that opens nothing but still
// reports and closes. A link that is not a URL is dropped silently. The link opens on the next
// turn of the main queue, so the event and the dismissal come first. The appearance counter
// stops at the largest integer instead of wrapping round.

#include "Radixel/screens/ads/KeTuAdsViewController.hpp"

#include <cstdint>
#include <limits>

#include "Radixel/screens/ads/AdTexts.hpp"
#include "Radixel/screens/ads/KeTuAdsViewControllerNib.hpp"
#include "Radixel/services/ApplicationLanguage.hpp"
#include "Radixel/services/ColorManager.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "measurement/DDVAnalytics.hpp"
#include "platform/foundation/DispatchQueue.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/URL.hpp"
#include "platform/uikit/UIApplication.hpp"

KeTuAdsViewController::KeTuAdsViewController(std::optional<std::string> nibName, const NSBundle* bundle)
    : UIViewController(std::move(nibName), bundle) {
    registerKeTuAdsViewControllerNib();
}

KeTuAdsViewController::KeTuAdsViewController(const NSCoder& coder) : UIViewController(coder) {
    registerKeTuAdsViewControllerNib();
}

// UIViewController

void KeTuAdsViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    configureViews();
}

void KeTuAdsViewController::viewDidAppear(bool animated) {
    UIViewController::viewDidAppear(animated);
    std::int64_t count = DefaultsKeys::countKetuAdsPresented.get();
    if (count < std::numeric_limits<std::int64_t>::max()) ++count;
    DefaultsKeys::countKetuAdsPresented.set(count);
    logEvent("ketuAds_presented");
}

// Actions

void KeTuAdsViewController::tappedCloseButton(const std::shared_ptr<UIButton>&) { closeAd(); }

void KeTuAdsViewController::tappedDiscountButton(const std::shared_ptr<UIButton>&) { openAdProduct(); }

void KeTuAdsViewController::openURLString(const std::string& urlString) {
    std::optional<URL> url = URL::string(urlString);
    if (!url) return;
    DispatchQueue::main().async([url = *url] { UIApplication::sharedApplication().openURL(url, {}, nullptr); });
}

void KeTuAdsViewController::configureViews() {
    if (auto close = closeButton.lock()) {
        close->setTintColor(KeTuColor::color4());
        ColorManager::applyLightStyleShadow(*close->layer());
    }
    if (auto image = adImageView.lock()) {
        image->setImage(currentAd ? UIImage::imageNamed(currentAd->imageName + "_" + currentLanguageCode()) : nullptr);
    }
    if (auto discount = discountButton.lock()) {
        discount->layer()->setCornerRadius(2.0);
        std::optional<std::string> title;
        if (currentAd) {
            title = discountTitle(NSLocalizedString("grabAdsDiscountForPercentage", ""), currentAd->discountNumber);
        }
        discount->setTitle(title, UIControlStateNormal);
        discount->setBackgroundColor(KeTuColor::color3());
        discount->setTitleColor(ThemeColor::lightText(), UIControlStateNormal);
        ColorManager::applyLightStyleShadow(*discount->layer());
    }
}

void KeTuAdsViewController::closeAd() {
    logEvent("ketuAds_closedAds");
    dismissViewControllerAnimated(true);
}

void KeTuAdsViewController::openAdProduct() {
    if (currentAd) openURLString(currentAd->linkingString);
    logEvent("ketuAds_openedAdProduct");
    dismissViewControllerAnimated(true);
}

// Private

void KeTuAdsViewController::logEvent(const std::string& name) const {
    DDVAnalytics::logEventWithName(name, adEventParameters(NSBundle::mainBundle().bundleIdentifier(), currentAd,
                                                           DefaultsKeys::countKetuAdsPresented.get()));
}
