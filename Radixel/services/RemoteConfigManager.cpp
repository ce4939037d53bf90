#include "Radixel/services/RemoteConfigManager.hpp"

#include <algorithm>
#include <iostream>
#include <utility>

#include "Radixel/services/ApplicationLanguage.hpp"
#include "platform/foundation/JSONDecoder.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
#include "platform/foundation/JSONRecordReader.hpp"
#include "platform/foundation/NSJSONSerialization.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/foundation/NSPropertyListSerialization.hpp"

namespace {

// One console line per failure, whole even when several threads print at once.
void printLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    text += '\n';
    std::cout << text << std::flush;
}

// The value of key as JSON; throws JSONDecodingError when it is missing or not JSON.
nlohmann::json remoteJSON(const RADEvuvozUziduz& client, const char* key) {
    return JSONDecoder().parse(client.configValueForKey(key).dataValue());
}

VideoTutorials decodeVideoTutorials(const nlohmann::json& value) {
    VideoTutorials tutorials;
    for (const auto& [code, byLanguage] : JSONRecordReader::requireObject(value, "videoTutorials").items()) {
        std::string codePath = "videoTutorials." + code;
        auto& entry = tutorials[code];
        for (const auto& [language, links] : JSONRecordReader::requireObject(byLanguage, codePath).items())
            entry[language] = JSONRecordReader::requireStringArray(links, codePath + "." + language);
    }
    return tutorials;
}

bool contains(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

RemoteConfigManager& RemoteConfigManager::shared() {
    // The holder is never released: fetch completions may still arrive while the process ends.
    static auto* manager = new ProcessShared<RemoteConfigManager>(
        [] { return std::make_shared<RemoteConfigManager>(RADEvuvozUziduz::remoteConfig(), NSBundle::mainBundle()); });
    return *manager->get();
}

RemoteConfigManager::RemoteConfigManager(std::shared_ptr<RADEvuvozUziduz> remoteConfig, const NSBundle& bundle)
    : remoteConfig_(std::move(remoteConfig)), bundle_(bundle) {
    RADEvuvozUziduzSettings settings;
    settings.setMinimumFetchInterval(0.0);
    remoteConfig_->setConfigSettings(settings);
}

void RemoteConfigManager::loadAllValues() {
    // One load at a time, each reading the values the client holds when it starts: otherwise a
    // slow load after a failed fetch (falling back to the bundled catalogue) could finish after
    // the load of a later, successful one and leave the older values in place.
    std::lock_guard load(loadMutex_);
    loadApps(*remoteConfig_);
    loadAds(*remoteConfig_);
    loadOffers(*remoteConfig_);
    loadUmpReferenceData(*remoteConfig_);
    loadVideoTutorials(*remoteConfig_);
}

void RemoteConfigManager::replaceApps(std::vector<AppMetaData> apps) {
    {
        std::lock_guard lock(mutex_);
        apps_.swap(apps);
    }
    NSNotificationCenter::defaultCenter().postNotificationName("didLoadMenu");
}

void RemoteConfigManager::loadApps(const RADEvuvozUziduz& client) {
    std::optional<AllAppMetaData> remote;
    try {
        remote = AllAppMetaData::decode(remoteJSON(client, "apps"));
    } catch (const JSONDecodingError&) {
        // An unusable remote catalogue is normal on a first run; the bundled one takes over quietly.
    }
    if (remote) return replaceApps(std::move(remote->apps));
    loadAppsFromBundle();
}

void RemoteConfigManager::loadAppsFromBundle() {
    std::optional<std::filesystem::path> file = bundle_.pathForResource("RemoteConfigDefaults", "plist");
    if (!file) return;
    NSError error;
    std::optional<nlohmann::json> root = NSPropertyListSerialization::propertyListWithContentsOfFile(*file, &error);
    if (!root) return printLine(error.description());
    if (!root->is_object()) return printLine("RemoteConfigDefaults.plist: the root is not a dictionary");
    std::optional<std::string> text = NSJSONSerialization::dataWithJSONObject(*root, true, &error);
    if (!text) return printLine(error.description());
    try {
        replaceApps(AllAppMetaData::decode(JSONDecoder().parse(*text)).apps);
    } catch (const JSONDecodingError&) {
    }
}

void RemoteConfigManager::loadAds(const RADEvuvozUziduz& client) {
    std::map<std::string, std::vector<KeTuAdData>> decoded;
    try {
        decoded = decodeRecordListDictionary<KeTuAdData>(remoteJSON(client, "ads"), "ads");
    } catch (const JSONDecodingError& error) {
        return printLine(error.what());
    }
    {
        std::lock_guard lock(mutex_);
        ads_.swap(decoded);
    }
    NSNotificationCenter::defaultCenter().postNotificationName("didLoadKeTuAds");
}

void RemoteConfigManager::loadOffers(const RADEvuvozUziduz& client) {
    std::map<std::string, std::vector<OfferData>> decoded;
    try {
        decoded = decodeRecordListDictionary<OfferData>(remoteJSON(client, "offers"), "offers");
    } catch (const JSONDecodingError& error) {
        return printLine(error.what());
    }
    {
        std::lock_guard lock(mutex_);
        offers_.swap(decoded);
    }
    NSNotificationCenter::defaultCenter().postNotificationName("didLoadOffers");
}

void RemoteConfigManager::loadUmpReferenceData(const RADEvuvozUziduz& client) {
    std::optional<UmpReferenceData> decoded;
    try {
        decoded = UmpReferenceData::decode(remoteJSON(client, "umpReferenceData"), "umpReferenceData");
    } catch (const JSONDecodingError& error) {
        return printLine(error.what());
    }
    {
        std::lock_guard lock(mutex_);
        umpReferenceData_.swap(decoded);
    }
    NSNotificationCenter::defaultCenter().postNotificationName("didLoadUmpReferenceData");
}

void RemoteConfigManager::loadVideoTutorials(const RADEvuvozUziduz& client) {
    std::optional<VideoTutorials> decoded;
    try {
        decoded = decodeVideoTutorials(remoteJSON(client, "videoTutorials"));
    } catch (const JSONDecodingError& error) {
        return printLine(error.what());
    }
    {
        std::lock_guard lock(mutex_);
        videoTutorials_.swap(decoded);
    }
    NSNotificationCenter::defaultCenter().postNotificationName("didLoadVideoTutorialsData");
}

void RemoteConfigManager::handleFetchResult(RADEvuvozUziduzFetchStatus status, const std::optional<NSError>& error) {
    if (error) return loadAllValues();
    if (status == RADEvuvozUziduzFetchStatusSuccess) {
        std::weak_ptr<RemoteConfigManager> weak = weak_from_this();
        remoteConfig_->activateWithCompletion([weak](bool changed, std::optional<NSError> activationError) {
            if (auto self = weak.lock()) self->handleActivateResult(changed, activationError);
        });
        return;
    }
    printLine("Config not fetched");
    printLine("Error: No error available.");
}

void RemoteConfigManager::handleActivateResult(bool /*changed*/, const std::optional<NSError>& /*error*/) {
    loadAllValues();
}

RADEvuvozUziduz::FetchCompletion RemoteConfigManager::fetchCompletionHandler() {
    std::weak_ptr<RemoteConfigManager> weak = weak_from_this();
    return [weak](RADEvuvozUziduzFetchStatus status, std::optional<NSError> error) {
        if (auto self = weak.lock()) self->handleFetchResult(status, error);
    };
}

std::vector<AppMetaData> RemoteConfigManager::shownApps(bool multi) const {
    std::optional<std::string> identifier = bundle_.bundleIdentifier();
    if (!identifier) return {};
    std::vector<AppMetaData> shown;
    std::lock_guard lock(mutex_);
    for (const AppMetaData& app : apps_) {
        bool isMulti = app.isMultiApp.value_or(false);
        if (app.shouldShow && isMulti == multi && !contains(app.appIdentifiers, *identifier)) shown.push_back(app);
    }
    return shown;
}

std::vector<AppMetaData> RemoteConfigManager::singleApps() const { return shownApps(false); }

std::vector<AppMetaData> RemoteConfigManager::multiApps() const { return shownApps(true); }

std::optional<AppMetaData> RemoteConfigManager::getCurrentApp() {
    {
        std::lock_guard lock(mutex_);
        if (currentApp_) return currentApp_;
    }
    std::optional<std::string> identifier = bundle_.bundleIdentifier();
    if (!identifier) return std::nullopt;
    std::lock_guard lock(mutex_);
    if (currentApp_) return currentApp_;
    for (const AppMetaData& app : apps_) {
        if (contains(app.appIdentifiers, *identifier)) {
            currentApp_ = app;
            return currentApp_;
        }
    }
    return std::nullopt;
}

std::vector<std::string> RemoteConfigManager::getVideoTutorials(std::optional<CalculatorKey> key) const {
    return getVideoTutorials(key, currentLanguageCode());
}

std::vector<std::string> RemoteConfigManager::getVideoTutorials(std::optional<CalculatorKey> key,
                                                                const std::string& language) const {
    if (!key) return {};
    std::lock_guard lock(mutex_);
    if (!videoTutorials_) return {};
    auto entry = videoTutorials_->find(code(*key));
    if (entry == videoTutorials_->end()) return {};
    const auto& byLanguage = entry->second;
    std::vector<std::string> result;
    if (auto own = byLanguage.find(language); own != byLanguage.end()) result = own->second;
    if (language == "en") return result;
    if (auto english = byLanguage.find("en"); english != byLanguage.end())
        result.insert(result.end(), english->second.begin(), english->second.end());
    return result;
}

std::vector<AppMetaData> RemoteConfigManager::apps() const {
    std::lock_guard lock(mutex_);
    return apps_;
}

std::map<std::string, std::vector<KeTuAdData>> RemoteConfigManager::ads() const {
    std::lock_guard lock(mutex_);
    return ads_;
}

std::map<std::string, std::vector<OfferData>> RemoteConfigManager::offers() const {
    std::lock_guard lock(mutex_);
    return offers_;
}

std::optional<UmpReferenceData> RemoteConfigManager::umpReferenceData() const {
    std::lock_guard lock(mutex_);
    return umpReferenceData_;
}

std::optional<VideoTutorials> RemoteConfigManager::videoTutorials() const {
    std::lock_guard lock(mutex_);
    return videoTutorials_;
}
