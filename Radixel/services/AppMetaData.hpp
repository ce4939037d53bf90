#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// One app of the product family, as the remote value "apps" and the bundled catalogue list it.
// The JSON keys are the field names.
struct AppMetaData {
    std::vector<std::string> appIdentifiers;        // bundle identifiers this app is known under
    std::map<std::string, std::string> appName;     // display name by language code
    std::string appURL;
    std::string appURLPro;
    std::string ratingURL;
    std::string ratingURLPro;
    std::string storeURL;
    std::string storeURLPro;
    std::optional<bool> isMultiApp;
    bool shouldShow = false;
    int64_t calculationsUntilInterstitial = 0;

    // Throws JSONDecodingError when a required key is missing or any key has the wrong type.
    static AppMetaData decode(const nlohmann::json& value, const std::string& path = "");
    nlohmann::json encode() const;

    bool operator==(const AppMetaData&) const = default;
};

// The wrapper object of the remote value "apps": {"apps": [record, ...]}.
struct AllAppMetaData {
    std::vector<AppMetaData> apps;

    static AllAppMetaData decode(const nlohmann::json& value);
    nlohmann::json encode() const;
};
