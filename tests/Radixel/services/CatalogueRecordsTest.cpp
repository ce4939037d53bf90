#include <gtest/gtest.h>

#include "Radixel/math/RecordFieldChecks.hpp"
#include "Radixel/services/AppMetaData.hpp"
#include "Radixel/services/KeTuAdData.hpp"
#include "Radixel/services/OfferData.hpp"
#include "Radixel/services/UmpReferenceData.hpp"

using nlohmann::json;

namespace {

const json app = json::parse(R"({
    "appIdentifiers": ["com.radixel.fractora", "com.radixel.fractora.pro"],
    "appName": {"en": "Fractora", "de": "Fractora – Brüche"},
    "appURL": "https://radixel.example/open/fractora",
    "appURLPro": "https://radixel.example/open/fractora-pro",
    "ratingURL": "https://radixel.example/store/fractora/rate",
    "ratingURLPro": "https://radixel.example/store/fractora-pro/rate",
    "storeURL": "https://radixel.example/store/fractora",
    "storeURLPro": "https://radixel.example/store/fractora-pro",
    "isMultiApp": false, "shouldShow": true, "calculationsUntilInterstitial": 5
})");
const json ad = {{"imageName", "fractora_spring"}, {"linkingString", "https://radixel.example/p"},
                 {"discountNumber", "30"}};
const json offer = json::parse(R"({"buttonTexts": {"a": "Buy", "b": "Later"}, "offerId": "o1"})");
const json consent = {{"purposeConsents", "1111"}, {"purposeLegitimateInterests", "0101"}, {"vendorConsents", "10"},
                      {"vendorLegitimateInterests", "01"}, {"isConsentOrPayActivated", true}};

template <typename Record>
json recode(const json& value) {
    return Record::decode(value).encode();
}

}  // namespace

TEST(CatalogueRecordsTest, EveryFieldIsTypedAndEncodedBackAndOnlyTheFlagsMayBeMissing) {
    expectEveryFieldChecked(app, {"isMultiApp"}, recode<AppMetaData>);
    expectEveryFieldChecked(ad, {}, recode<KeTuAdData>);
    expectEveryFieldChecked(offer, {}, recode<OfferData>);
    expectEveryFieldChecked(consent, {"isConsentOrPayActivated"}, recode<UmpReferenceData>);
    EXPECT_EQ(AppMetaData::decode(app).appURLPro, "https://radixel.example/open/fractora-pro");
    EXPECT_EQ(recode<AppMetaData>(with(app, "addedInALaterVersion", {{"anything", true}})), app);
    EXPECT_TRUE(AppMetaData::decode(with(app, "appIdentifiers", json::array())).appIdentifiers.empty());

    for (const json& wrong : {json::array(), with(app, "appIdentifiers", {"a", 1}), with(app, "appName", {{"en", 5}}),
                              with(app, "calculationsUntilInterstitial", 2.5),
                              with(app, "calculationsUntilInterstitial", 18446744073709551615ULL)})
        EXPECT_THROW(recode<AppMetaData>(wrong), JSONDecodingError) << wrong;
    EXPECT_THROW(recode<OfferData>(with(offer, "buttonTexts", {{"a", 1}})), JSONDecodingError);
}

TEST(CatalogueRecordsTest, OneBadRecordOrShapeFailsTheWholeCatalogueButAnEmptyListDoesNot) {
    json value = {{"apps", json::array({app, app})}};
    EXPECT_EQ(AllAppMetaData::decode(value).apps.size(), 2u);
    EXPECT_TRUE(AllAppMetaData::decode(json::parse(R"({"apps": []})")).apps.empty());
    value["apps"][1].erase("calculationsUntilInterstitial");
    try {
        AllAppMetaData::decode(value);
        FAIL() << "decoded a value with a broken record";
    } catch (const JSONDecodingError& error) {
        EXPECT_NE(std::string(error.what()).find("apps[1]"), std::string::npos) << error.what();
    }
    for (const char* shape : {R"({"apps": {}})", "[]", R"({"other": []})"})
        EXPECT_THROW(AllAppMetaData::decode(json::parse(shape)), JSONDecodingError) << shape;
}
