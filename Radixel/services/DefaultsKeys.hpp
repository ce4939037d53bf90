#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/foundation/DefaultsKey.hpp"

// Every key the application keeps in the standard user defaults, with the value read while the
// key holds none (or a value of another type).
namespace DefaultsKeys {

// The history, newest first, one record dictionary per entry.
inline const DefaultsKey<std::vector<nlohmann::json>> calculations{"Calculations", {}};
// The history entry picked on the history screen; no value when nothing is picked.
inline const DefaultsKey<std::optional<nlohmann::json>> currentSelectedCalculation{"CurrentSelectedCalculation",
                                                                                   std::nullopt};
// Read at start only; an earlier installation may have left a record here.
inline const DefaultsKey<std::optional<nlohmann::json>> currentCalculation{"CurrentCalculation", std::nullopt};

// Set once the history was seeded with its example, so that only the installation's very first
// start seeds it, also when the user has emptied the history since.
inline const DefaultsKey<bool> isFirstStartDone{"isFirstStartDone", false};

// Any introduction (the main one or the videos') was seen to its end.
inline const DefaultsKey<bool> isOnboardingFinished{"isOnboardingFinished", false};

// The privacy policy was accepted; it is never stored as declined.
inline const DefaultsKey<bool> isDsgvoAccepted{"isDsgvoAccepted", false};
// The video player's privacy terms: true accepted, false declined, no value not yet asked.
inline const DefaultsKey<bool> isYoutubeDsgvoAccepted{"isYoutubeDsgvoAccepted", false};

// The rating prompt: shown when the countdown runs out, never again once rated.
inline const DefaultsKey<bool> isRatingAlreadyDone{"isRatingAlreadyDone", false};
inline const DefaultsKey<std::int64_t> counterForRating{"counterForRating", 5};

// How often the cross-promotion screen has appeared on this device; never reset.
inline const DefaultsKey<std::int64_t> countKetuAdsPresented{"countKetuAdsPresented", 0};

}  // namespace DefaultsKeys
