#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

// Reference values for the privacy-consent set-up; carried, never interpreted.
struct UmpReferenceData {
    std::optional<bool> isConsentOrPayActivated;
    std::string purposeConsents;
    std::string purposeLegitimateInterests;
    std::string vendorConsents;
    std::string vendorLegitimateInterests;

    // Throws JSONDecodingError.
    static UmpReferenceData decode(const nlohmann::json& value, const std::string& path = "");
    nlohmann::json encode() const;

    bool operator==(const UmpReferenceData&) const = default;
};
