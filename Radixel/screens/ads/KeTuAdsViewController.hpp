#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Radixel/services/KeTuAdData.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UIViewController.hpp"

class NSBundle;

// The cross-promotion screen: one app of the product family with its picture, a close button and
// a discount button that opens the app's link. The presenter sets currentAd before the view
// loads, since the picture and the discount title are set only then:
//
//     auto ad = std::make_shared<KeTuAdsViewController>(KeTuAdsViewController::nibName, &NSBundle::mainBundle());
//     ad->currentAd = record;
//     presentViewController(ad, true);
//
// Every appearance counts "countKetuAdsPresented" up; it is never reset.
class KeTuAdsViewController : public UIViewController {
public:
    static constexpr const char* nibName = "KeTuAdsViewController";

    KeTuAdsViewController(std::optional<std::string> nibName, const NSBundle* bundle);
    explicit KeTuAdsViewController(const NSCoder& coder);

    // Outlets, connected by the nib.
    std::weak_ptr<UIButton> closeButton;
    std::weak_ptr<UIImageView> adImageView;
    std::weak_ptr<UIButton> discountButton;
    std::optional<KeTuAdData> currentAd;

    // UIViewController
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    // Actions
    void tappedCloseButton(const std::shared_ptr<UIButton>& sender);
    void tappedDiscountButton(const std::shared_ptr<UIButton>& sender);

    void openURLString(const std::string& urlString);
    void configureViews();
    void closeAd();
    void openAdProduct();

private:
    void logEvent(const std::string& name) const;
};
