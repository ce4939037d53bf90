#include "Radixel/screens/ads/KeTuAdsViewControllerNib.hpp"

#include <vector>

#include "Radixel/screens/ads/KeTuAdsViewController.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/uikit/FatalError.hpp"
#include "platform/uikit/UINib.hpp"
#include "platform/uikit/UIScreen.hpp"

namespace {

constexpr CGFloat margin = 24;
// Clear of the status bar and of the home indicator: the screen covers the whole window.
constexpr CGFloat top = 56;
constexpr CGFloat bottom = 58;
constexpr CGFloat closeSide = 40;
constexpr CGFloat discountHeight = 56;
constexpr CGFloat gap = 16;

std::vector<std::shared_ptr<UIView>> build(const std::shared_ptr<UIResponder>& owner) {
    auto ad = std::dynamic_pointer_cast<KeTuAdsViewController>(owner);
    if (!ad)
        uikit::fatalError(
            "The interface file \"KeTuAdsViewController\" connects its outlets to a KeTuAdsViewController");
    CGRect screen = UIScreen::mainScreen().bounds();
    CGFloat width = screen.size.width;
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(ThemeColor::background());

    auto close = std::make_shared<UIButton>(CGRect{width - margin - closeSide, top, closeSide, closeSide});
    close->setImage(UIImage::systemImageNamed("xmark"), UIControlStateNormal);
    // The lighter purple keeps the button visible on the dark style's black.
    close->setBackgroundColor(KeTuColor::color2());
    close->layer()->setCornerRadius(closeSide / 2);
    close->setAccessibilityIdentifier("ketuAdsCloseButton");

    CGFloat discountTop = screen.size.height - bottom - discountHeight;
    auto discount = std::make_shared<UIButton>(CGRect{margin, discountTop, width - 2 * margin, discountHeight});
    discount->titleLabel()->setFont(
        UIFont::fontWithName("Avenir-Heavy", 20).value_or(UIFont::boldSystemFontOfSize(20)));
    discount->setAccessibilityIdentifier("ketuAdsDiscountButton");

    CGFloat imageTop = top + closeSide + gap;
    auto image =
        std::make_shared<UIImageView>(CGRect{margin, imageTop, width - 2 * margin, discountTop - gap - imageTop});
    image->setContentMode(UIViewContentMode::ScaleAspectFit);
    image->setAccessibilityIdentifier("ketuAdsImageView");

    root->addSubview(image);
    root->addSubview(close);
    root->addSubview(discount);
    ad->closeButton = close;
    ad->adImageView = image;
    ad->discountButton = discount;
    close->addTarget(ad, &KeTuAdsViewController::tappedCloseButton, UIControlEventTouchUpInside);
    discount->addTarget(ad, &KeTuAdsViewController::tappedDiscountButton, UIControlEventTouchUpInside);
    return {root};
}

}  // namespace

bool registerKeTuAdsViewControllerNib() {
    UINib::registerNib(KeTuAdsViewController::nibName, build);
    return true;
}
