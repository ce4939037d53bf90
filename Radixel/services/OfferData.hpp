#pragma once

#include <map>
#include <string>

#include <nlohmann/json.hpp>

// One offer with the texts of its button.
struct OfferData {
    std::map<std::string, std::string> buttonTexts;
    std::string offerId;

    // Throws JSONDecodingError.
    static OfferData decode(const nlohmann::json& value, const std::string& path = "");
    nlohmann::json encode() const;

    bool operator==(const OfferData&) const = default;
};
