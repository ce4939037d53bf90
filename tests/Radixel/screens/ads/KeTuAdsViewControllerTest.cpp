#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

#include "Radixel/screens/ads/AdTexts.hpp"
#include "Radixel/screens/ads/KeTuAdsViewController.hpp"
#include "Radixel/services/ApplicationLanguage.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/ServiceTestSupport.hpp"
#include "platform/foundation/NSBundle.hpp"

using uikit::testing::Harness;

namespace {

const KeTuAdData fractions{"ad_fractora", "https://radixel.example/store/fractora", "30"};

class KeTuAdsTest : public ::testing::Test {
protected:
    // Presents the screen with that ad over the shown screen, as a presenter would.
    std::shared_ptr<KeTuAdsViewController> present(std::optional<KeTuAdData> ad) {
        auto controller =
            std::make_shared<KeTuAdsViewController>(KeTuAdsViewController::nibName, &NSBundle::mainBundle());
        controller->currentAd = std::move(ad);
        screen->controller->presentViewController(controller, true);
        h.runUntilIdle();
        return controller;
    }
    bool adShown() const { return h.presented<KeTuAdsViewController>() != nullptr; }
    void restart() {
        screen.reset();
        h.simulateRestart();
        screen.emplace(h);
    }
    // What the events of that name carried, in order.
    std::vector<nlohmann::json> sent(const std::string& name) const {
        std::vector<nlohmann::json> parameters;
        for (const auto& event : h.analytics().eventsNamed(name)) parameters.push_back(event.parameters);
        return parameters;
    }
    static nlohmann::json parameters(const std::string& adId, std::int64_t count) {
        return {{"sendingApp", "com.radixel.app"}, {"ketuAdId", adId}, {"countKetuAdsPresented", count}};
    }

    ScratchDefaults defaults;
    Harness h;
    std::optional<ShownScreen> screen{std::in_place, h};
};

}  // namespace

TEST_F(KeTuAdsTest, EveryAppearanceCountsOnAcrossPresentationsAndRestarts) {
    auto ad = present(fractions);
    EXPECT_EQ(DefaultsKeys::countKetuAdsPresented.get(), 1);
    EXPECT_TRUE(h.tap(ad->closeButton.lock()));
    EXPECT_FALSE(adShown());
    present(fractions);
    restart();
    ad = present(fractions);
    EXPECT_EQ(sent("ketuAds_presented"),
              (std::vector<nlohmann::json>{parameters("ad_fractora", 1), parameters("ad_fractora", 2),
                                           parameters("ad_fractora", 3)}));

    // Closing reads the counter without raising it.
    EXPECT_TRUE(h.tap(ad->closeButton.lock()));
    EXPECT_EQ(sent("ketuAds_closedAds"),
              (std::vector<nlohmann::json>{parameters("ad_fractora", 1), parameters("ad_fractora", 3)}));
    EXPECT_EQ(DefaultsKeys::countKetuAdsPresented.get(), 3);
    EXPECT_FALSE(adShown());
}

TEST_F(KeTuAdsTest, CounterStopsAtTheLargestIntegerInsteadOfWrapping) {
    constexpr auto largest = std::numeric_limits<std::int64_t>::max();
    DefaultsKeys::countKetuAdsPresented.set(largest);
    present(fractions);
    EXPECT_EQ(DefaultsKeys::countKetuAdsPresented.get(), largest);
    EXPECT_EQ(sent("ketuAds_presented"), (std::vector<nlohmann::json>{parameters("ad_fractora", largest)}));
}

// A link that is no URL is dropped, but the tap still reports and closes.
TEST_F(KeTuAdsTest, DiscountOpensTheLinkOnlyAfterReportingAndClosing) {
    h.linkOpener().installURLHandler("https");
    for (std::string link : {fractions.linkingString, std::string("radixel example store")}) {
        SCOPED_TRACE(link);
        KeTuAdData offer = fractions;
        offer.linkingString = link;
        auto ad = present(offer);
        const auto reports = sent("ketuAds_openedAdProduct").size(), opened = h.linkOpener().openedURLs().size();
        ad->tappedDiscountButton(nullptr);
        EXPECT_EQ(sent("ketuAds_openedAdProduct").size(), reports + 1);
        EXPECT_EQ(h.linkOpener().openedURLs().size(), opened);  // not before the report and the close
        h.runUntilIdle();
        EXPECT_FALSE(adShown());
    }
    EXPECT_EQ(sent("ketuAds_openedAdProduct").front(), parameters("ad_fractora", 1));
    EXPECT_EQ(h.linkOpener().openedURLs(), (std::vector<std::string>{"https://radixel.example/store/fractora"}));
    EXPECT_EQ(DefaultsKeys::countKetuAdsPresented.get(), 2);
}

TEST_F(KeTuAdsTest, ShowsThePictureInTheApplicationLanguageTheDiscountInTheTitleAndShadowsInTheLightStyle) {
    auto ad = present(fractions);
    auto picture = ad->adImageView.lock()->image();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->name(), "ad_fractora_" + currentLanguageCode());
    std::optional<std::string> title = ad->discountButton.lock()->titleForState(UIControlStateNormal);
    EXPECT_EQ(title, discountTitle(NSLocalizedString("grabAdsDiscountForPercentage", ""), "30"));
    EXPECT_NE(title->find("30%"), std::string::npos);
    EXPECT_EQ(title->find("§"), std::string::npos);
    EXPECT_EQ(ad->closeButton.lock()->tintColor(), KeTuColor::color4());
    EXPECT_FLOAT_EQ(ad->closeButton.lock()->layer()->shadowOpacity(), 0.7f);
    EXPECT_FLOAT_EQ(ad->discountButton.lock()->layer()->shadowOpacity(), 0.7f);

    h.tap(ad->closeButton.lock());
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Dark));
    ad = present(fractions);
    EXPECT_FLOAT_EQ(ad->closeButton.lock()->layer()->shadowOpacity(), 0.0f);
    EXPECT_FLOAT_EQ(ad->discountButton.lock()->layer()->shadowOpacity(), 0.0f);
}

TEST_F(KeTuAdsTest, WithoutAnAdTheScreenIsEmptyReportsUnknownAndOpensNothing) {
    h.linkOpener().installURLHandler("https");
    auto ad = present(std::nullopt);
    EXPECT_EQ(ad->adImageView.lock()->image(), nullptr);
    EXPECT_EQ(ad->discountButton.lock()->titleForState(UIControlStateNormal), std::nullopt);
    EXPECT_TRUE(h.tap(ad->discountButton.lock()));
    EXPECT_EQ(sent("ketuAds_presented"), (std::vector<nlohmann::json>{parameters("unknown", 1)}));
    EXPECT_EQ(sent("ketuAds_openedAdProduct"), (std::vector<nlohmann::json>{parameters("unknown", 1)}));
    EXPECT_TRUE(h.linkOpener().openedURLs().empty());
    EXPECT_FALSE(adShown());

    // An ad whose picture does not exist leaves the picture empty, as does one whose name would
    // leave the resources.
    for (std::string name : {"no_such_ad", "../images/ad_fractora"}) {
        KeTuAdData missing = fractions;
        missing.imageName = name;
        EXPECT_EQ(present(missing)->adImageView.lock()->image(), nullptr) << name;
        h.tapAccessibilityIdentifier("ketuAdsCloseButton");
    }
}

TEST(AdTextsTest, EveryPlaceholderBecomesTheDiscountWithAPercentSign) {
    EXPECT_EQ(discountTitle("Get § off now", "30"), "Get 30% off now");
    EXPECT_EQ(discountTitle("§ off, really §", "15"), "15% off, really 15%");
    EXPECT_EQ(discountTitle("今なら § オフ", "50"), "今なら 50% オフ");
    EXPECT_EQ(discountTitle("No discount here", "30"), "No discount here");
    // A discount holding the placeholder itself is not replaced again.
    EXPECT_EQ(discountTitle("Get § off", "§"), "Get §% off");
    EXPECT_EQ(discountTitle("", "30"), "");
}

TEST(AdTextsTest, MissingIdentifierOrAdIsReportedAsUnknown) {
    EXPECT_EQ(adEventParameters(std::nullopt, std::nullopt, 0),
              (nlohmann::json{{"sendingApp", "unknown"}, {"ketuAdId", "unknown"}, {"countKetuAdsPresented", 0}}));
    EXPECT_EQ(
        adEventParameters("com.radixel.app", fractions, 4),
        (nlohmann::json{{"sendingApp", "com.radixel.app"}, {"ketuAdId", "ad_fractora"}, {"countKetuAdsPresented", 4}}));
}
