#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "Radixel/screens/ads/AdTexts.hpp"
#include "Radixel/screens/ads/KeTuAdsViewController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/services/ApplicationLanguage.hpp"
#include "Radixel/services/KeTuColor.hpp"

namespace {

using Sent = std::vector<nlohmann::json>;
const KeTuAdData fractions{"ad_fractora", "https://radixel.example/store/fractora", "30"};

class KeTuAdsTest : public ::testing::Test, public LaunchedApp {
protected:
    void SetUp() override { launch(Answers{}); }

    // Presents the screen with that ad over the shown screen, as a presenter would.
    std::shared_ptr<KeTuAdsViewController> present(std::optional<KeTuAdData> ad) {
        auto controller =
            std::make_shared<KeTuAdsViewController>(KeTuAdsViewController::nibName, &NSBundle::mainBundle());
        controller->currentAd = std::move(ad);
        drawer()->presentViewController(controller, true);
        h.runUntilIdle();
        return controller;
    }
    bool adShown() const { return h.presented<KeTuAdsViewController>() != nullptr; }

    // What the events of that name carried, in order.
    Sent sent(const std::string& name) const {
        Sent parameters;
        for (const auto& event : h.analytics().eventsNamed(name)) parameters.push_back(event.parameters);
        return parameters;
    }
    static nlohmann::json parameters(std::int64_t count, const std::string& adId = "ad_fractora") {
        return {{"sendingApp", "com.radixel.app"}, {"ketuAdId", adId}, {"countKetuAdsPresented", count}};
    }
};

}  // namespace

// The picture in the application language, the discount in the title, shadows in the light style only.
TEST_F(KeTuAdsTest, ShowsTheAdAndCountsEveryAppearanceAcrossRestartsUpToTheLargestInteger) {
    auto ad = present(fractions);
    ASSERT_NE(ad->adImageView.lock()->image(), nullptr);
    EXPECT_EQ(ad->adImageView.lock()->image()->name(), "ad_fractora_" + currentLanguageCode());
    std::string title = ad->discountButton.lock()->titleForState(UIControlStateNormal).value_or("");
    EXPECT_TRUE(title.find("30%") != std::string::npos && title.find("§") == std::string::npos) << title;
    EXPECT_EQ(std::tuple(ad->closeButton.lock()->tintColor(), ad->discountButton.lock()->backgroundColor(),
                         ad->closeButton.lock()->layer()->shadowOpacity(),
                         ad->discountButton.lock()->layer()->shadowOpacity()),
              std::tuple(KeTuColor::color4(), KeTuColor::color3(), 0.7f, 0.7f));  // the cross stands out on its button
    EXPECT_TRUE(h.tap(ad->closeButton.lock()));
    present(fractions);
    restart();
    ad = present(fractions);
    EXPECT_EQ(sent("ketuAds_presented"), (Sent{parameters(1), parameters(2), parameters(3)}));

    // Closing reads the counter without raising it.
    EXPECT_TRUE(h.tap(ad->closeButton.lock()));
    EXPECT_EQ(sent("ketuAds_closedAds"), (Sent{parameters(1), parameters(3)}));
    EXPECT_EQ(DefaultsKeys::countKetuAdsPresented.get(), 3);
    EXPECT_FALSE(adShown());

    // The counter stops at the largest integer instead of wrapping.
    constexpr auto largest = std::numeric_limits<std::int64_t>::max();
    DefaultsKeys::countKetuAdsPresented.set(largest);
    UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::Dark));
    ad = present(fractions);
    EXPECT_EQ(DefaultsKeys::countKetuAdsPresented.get(), largest);
    EXPECT_EQ(sent("ketuAds_presented").back(), parameters(largest));
    EXPECT_FLOAT_EQ(ad->closeButton.lock()->layer()->shadowOpacity(), 0.0f);
    EXPECT_FLOAT_EQ(ad->discountButton.lock()->layer()->shadowOpacity(), 0.0f);
}

// A link that is no URL is dropped; without an ad the screen is empty and reports "unknown"; either
// way the tap still reports and closes. An ad whose picture does not exist leaves the picture empty,
// as does one whose name would leave the resources.
TEST_F(KeTuAdsTest, DiscountOpensTheLinkOnlyAfterReportingAndClosing) {
    h.linkOpener().installURLHandler("https");
    KeTuAdData noLink = fractions;
    noLink.linkingString = "radixel example store";
    for (const std::optional<KeTuAdData>& offer : {std::optional(fractions), std::optional(noLink),
                                                   std::optional<KeTuAdData>()}) {
        auto ad = present(offer);
        const auto reports = sent("ketuAds_openedAdProduct").size(), opened = h.linkOpener().openedURLs().size();
        if (offer) ad->tappedDiscountButton(nullptr);
        else EXPECT_TRUE(h.tap(ad->discountButton.lock()));
        EXPECT_EQ(sent("ketuAds_openedAdProduct").size(), reports + 1);
        EXPECT_EQ(h.linkOpener().openedURLs().size(), opened);  // not before the report and the close
        h.runUntilIdle();
        EXPECT_FALSE(adShown());
    }
    EXPECT_EQ(sent("ketuAds_openedAdProduct"), (Sent{parameters(1), parameters(2), parameters(3, "unknown")}));
    EXPECT_EQ(sent("ketuAds_presented").back(), parameters(3, "unknown"));
    EXPECT_EQ(h.linkOpener().openedURLs(), (std::vector<std::string>{"https://radixel.example/store/fractora"}));

    auto empty = present(std::nullopt);
    EXPECT_EQ(empty->adImageView.lock()->image(), nullptr);
    EXPECT_EQ(empty->discountButton.lock()->titleForState(UIControlStateNormal), std::nullopt);
    h.tapAccessibilityIdentifier("ketuAdsCloseButton");
    for (std::string name : {"no_such_ad", "../images/ad_fractora"}) {
        KeTuAdData missing = fractions;
        missing.imageName = name;
        EXPECT_EQ(present(missing)->adImageView.lock()->image(), nullptr) << name;
        h.tapAccessibilityIdentifier("ketuAdsCloseButton");
    }
}

// A discount holding the placeholder itself is not replaced again. The screen always knows its
// bundle; without one the events still say where they came from.
TEST(AdTextsTest, EveryPlaceholderBecomesTheDiscountWithAPercentSignAndAnAppWithoutIdentifierIsUnknown) {
    for (auto [text, discount, title] : {std::tuple{"Get § off now", "30", "Get 30% off now"},
                                         {"§ off, really §", "15", "15% off, really 15%"},
                                         {"今なら § オフ", "50", "今なら 50% オフ"},
                                         {"No discount here", "30", "No discount here"},
                                         {"Get § off", "§", "Get §% off"},
                                         {"", "30", ""}})
        EXPECT_EQ(discountTitle(text, discount), title);
    EXPECT_EQ(adEventParameters(std::nullopt, fractions, 0)["sendingApp"], "unknown");
}
