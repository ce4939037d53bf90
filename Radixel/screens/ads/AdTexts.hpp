#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "Radixel/services/KeTuAdData.hpp"

// The ad screen's discount title: the localised text with every "§" replaced by the discount and
// a percent sign ("Get § off now" with 30 gives "Get 30% off now"). Replaced text is not looked
// at again, so a discount that itself holds "§" stays as it is.
std::string discountTitle(const std::string& localizedText, const std::string& discountNumber);

// The parameters every event of the ad screen carries: "sendingApp" (the bundle identifier),
// "ketuAdId" (the ad's image name) and "countKetuAdsPresented", with "unknown" for an absent
// identifier or ad.
nlohmann::json adEventParameters(const std::optional<std::string>& bundleIdentifier,
                                 const std::optional<KeTuAdData>& ad, std::int64_t countPresented);
