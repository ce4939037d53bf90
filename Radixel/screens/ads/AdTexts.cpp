#include "Radixel/screens/ads/AdTexts.hpp"

namespace {

constexpr std::string_view placeholder = "§";
constexpr const char* unknown = "unknown";

}  // namespace

std::string discountTitle(const std::string& localizedText, const std::string& discountNumber) {
    const std::string discount = discountNumber + "%";
    std::string title;
    size_t from = 0;
    for (size_t at = localizedText.find(placeholder); at != std::string::npos;
         at = localizedText.find(placeholder, from)) {
        title.append(localizedText, from, at - from).append(discount);
        from = at + placeholder.size();
    }
    return title.append(localizedText, from, std::string::npos);
}

nlohmann::json adEventParameters(const std::optional<std::string>& bundleIdentifier,
                                 const std::optional<KeTuAdData>& ad, std::int64_t countPresented) {
    return {{"sendingApp", bundleIdentifier.value_or(unknown)},
            {"ketuAdId", ad ? ad->imageName : unknown},
            {"countKetuAdsPresented", countPresented}};
}
