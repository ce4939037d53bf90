#include "Radixel/services/AppMetaData.hpp"

#include "platform/foundation/JSONRecordReader.hpp"

AppMetaData AppMetaData::decode(const nlohmann::json& value, const std::string& path) {
    JSONRecordReader reader(value, path);
    AppMetaData app;
    app.appIdentifiers = reader.stringArray("appIdentifiers");
    app.appName = reader.stringDictionary("appName");
    app.appURL = reader.string("appURL");
    app.appURLPro = reader.string("appURLPro");
    app.ratingURL = reader.string("ratingURL");
    app.ratingURLPro = reader.string("ratingURLPro");
    app.storeURL = reader.string("storeURL");
    app.storeURLPro = reader.string("storeURLPro");
    app.isMultiApp = reader.optionalBoolean("isMultiApp");
    app.shouldShow = reader.boolean("shouldShow");
    app.calculationsUntilInterstitial = reader.integer("calculationsUntilInterstitial");
    return app;
}

nlohmann::json AppMetaData::encode() const {
    nlohmann::json value = {
        {"appIdentifiers", appIdentifiers},
        {"appName", appName},
        {"appURL", appURL},
        {"appURLPro", appURLPro},
        {"ratingURL", ratingURL},
        {"ratingURLPro", ratingURLPro},
        {"storeURL", storeURL},
        {"storeURLPro", storeURLPro},
        {"shouldShow", shouldShow},
        {"calculationsUntilInterstitial", calculationsUntilInterstitial},
    };
    if (isMultiApp) value["isMultiApp"] = *isMultiApp;
    return value;
}

AllAppMetaData AllAppMetaData::decode(const nlohmann::json& value) {
    const nlohmann::json& list = JSONRecordReader(value, "").array("apps");
    AllAppMetaData all;
    all.apps.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        all.apps.push_back(AppMetaData::decode(list[i], "apps[" + std::to_string(i) + "]"));
    return all;
}

nlohmann::json AllAppMetaData::encode() const {
    nlohmann::json list = nlohmann::json::array();
    for (const AppMetaData& app : apps) list.push_back(app.encode());
    return {{"apps", std::move(list)}};
}
