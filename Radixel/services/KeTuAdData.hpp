#pragma once

#include <string>

#include <nlohmann/json.hpp>

// One cross-promotion ad for an app of the product family.
struct KeTuAdData {
    std::string imageName;       // names the ad's image (with "_<language>") and the ad in events
    std::string linkingString;   // opened by the discount button
    std::string discountNumber;  // shown followed by "%"

    // Throws JSONDecodingError.
    static KeTuAdData decode(const nlohmann::json& value, const std::string& path = "");
    nlohmann::json encode() const;

    bool operator==(const KeTuAdData&) const = default;
};
