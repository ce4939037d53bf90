#include <gtest/gtest.h>

#include "Radixel/services/AppMetaData.hpp"
#include "Radixel/services/KeTuAdData.hpp"
#include "Radixel/services/OfferData.hpp"
#include "Radixel/services/UmpReferenceData.hpp"
#include "platform/foundation/JSONDecodingError.hpp"

using nlohmann::json;

namespace {

json appRecord() {
    return json::parse(R"({
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
}

}  // namespace

TEST(AppMetaDataTest, DecodesEveryFieldRoundTripsAndIgnoresExtraKeys) {
    AppMetaData app = AppMetaData::decode(appRecord());
    EXPECT_EQ(app.appIdentifiers, (std::vector<std::string>{"com.radixel.fractora", "com.radixel.fractora.pro"}));
    EXPECT_EQ(app.appName.at("de"), "Fractora – Brüche");
    EXPECT_EQ(app.appURLPro, "https://radixel.example/open/fractora-pro");
    EXPECT_EQ(app.storeURL, "https://radixel.example/store/fractora");
    EXPECT_EQ(app.isMultiApp, std::optional<bool>(false));
    EXPECT_TRUE(app.shouldShow);
    EXPECT_EQ(app.calculationsUntilInterstitial, 5);
    EXPECT_EQ(AppMetaData::decode(app.encode()), app);

    json record = appRecord();
    record["addedInALaterVersion"] = {{"anything", true}};
    record["appIdentifiers"] = json::array();
    record["appURL"] = "  not a link ";
    app = AppMetaData::decode(record);
    EXPECT_TRUE(app.appIdentifiers.empty());
    EXPECT_EQ(app.appURL, "  not a link ");

    // A missing or null multi-app flag is absent, and stays absent through encoding.
    json missing = appRecord();
    missing.erase("isMultiApp");
    json null = appRecord();
    null["isMultiApp"] = nullptr;
    for (const json& value : {missing, null}) {
        app = AppMetaData::decode(value);
        EXPECT_FALSE(app.isMultiApp.has_value());
        EXPECT_FALSE(app.encode().contains("isMultiApp"));
        EXPECT_EQ(AppMetaData::decode(app.encode()), app);
    }
}

TEST(AppMetaDataTest, WrongOrMissingRequiredFieldsFailTheRecord) {
    std::vector<std::pair<const char*, json>> broken = {
        {"calculationsUntilInterstitial", nullptr},  // nullptr: key removed
        {"shouldShow", "true"},
        {"shouldShow", nullptr},
        {"appIdentifiers", json::array({"a", 1})},
        {"appName", json{{"en", 5}}},
        {"appURL", 42},
        {"isMultiApp", "yes"},
        {"calculationsUntilInterstitial", 2.5},
        {"calculationsUntilInterstitial", "5"},
        {"calculationsUntilInterstitial", 18446744073709551615ULL},
    };
    for (const auto& [key, value] : broken) {
        json record = appRecord();
        if (value.is_null())
            record.erase(key);
        else
            record[key] = value;
        EXPECT_THROW(AppMetaData::decode(record), JSONDecodingError) << key << " = " << value.dump();
    }
    EXPECT_THROW(AppMetaData::decode(json::array()), JSONDecodingError);
}

TEST(AllAppMetaDataTest, OneBadRecordOrShapeFailsTheWholeValueButAnEmptyListDoesNot) {
    json value = {{"apps", json::array({appRecord(), appRecord()})}};
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

TEST(AdOfferConsentRecordsTest, RoundTripAndRefuseWrongOrMissingFields) {
    json ad = {
        {"imageName", "fractora_spring"}, {"linkingString", "https://radixel.example/p"}, {"discountNumber", "30"}};
    EXPECT_EQ(KeTuAdData::decode(ad).discountNumber, "30");
    EXPECT_EQ(KeTuAdData::decode(KeTuAdData::decode(ad).encode()), KeTuAdData::decode(ad));
    json numeric = ad;
    numeric["discountNumber"] = 30;
    EXPECT_THROW(KeTuAdData::decode(numeric), JSONDecodingError);
    ad.erase("discountNumber");
    EXPECT_THROW(KeTuAdData::decode(ad), JSONDecodingError);

    OfferData offer = OfferData::decode(json::parse(R"({"buttonTexts": {"a": "Buy", "b": "Later"}, "offerId": "o1"})"));
    EXPECT_EQ(offer.buttonTexts.at("b"), "Later");
    EXPECT_EQ(OfferData::decode(offer.encode()), offer);
    EXPECT_THROW(OfferData::decode(json::parse(R"({"buttonTexts": {"a": 1}, "offerId": "o1"})")), JSONDecodingError);
    EXPECT_THROW(OfferData::decode(json::parse(R"({"buttonTexts": {}})")), JSONDecodingError);

    // The consent flag is optional, the texts are not.
    json consent = {{"purposeConsents", "1111"}, {"purposeLegitimateInterests", "0101"},
                    {"vendorConsents", "10"}, {"vendorLegitimateInterests", "01"}};
    UmpReferenceData data = UmpReferenceData::decode(consent);
    EXPECT_FALSE(data.isConsentOrPayActivated.has_value());
    EXPECT_FALSE(data.encode().contains("isConsentOrPayActivated"));
    consent["isConsentOrPayActivated"] = true;
    UmpReferenceData flagged = UmpReferenceData::decode(consent);
    EXPECT_EQ(flagged.isConsentOrPayActivated, std::optional<bool>(true));
    EXPECT_EQ(UmpReferenceData::decode(flagged.encode()), flagged);
    consent.erase("vendorConsents");
    EXPECT_THROW(UmpReferenceData::decode(consent), JSONDecodingError);
}
