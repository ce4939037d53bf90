#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/services/AppMetaData.hpp"
#include "Radixel/services/CalculatorKey.hpp"
#include "Radixel/services/KeTuAdData.hpp"
#include "Radixel/services/OfferData.hpp"
#include "Radixel/services/UmpReferenceData.hpp"
#include "platform/didevero/RADEvuvozUziduz.hpp"
#include "platform/foundation/NSBundle.hpp"

// Calculator code -> language code -> video links.
using VideoTutorials = std::map<std::string, std::map<std::string, std::vector<std::string>>>;

// Holds the values of the remote configuration in memory: the family's app catalogue, ads,
// offers, consent reference data and tutorial video links. Each loader decodes one value and
// replaces its field whole, or keeps the field and posts nothing when the value is unusable.
//
// The loaders run on the thread that calls them (the fetch's completion thread after a fetch),
// while the screens read on the main thread, so the fields are guarded and read as copies.
class RemoteConfigManager : public std::enable_shared_from_this<RemoteConfigManager> {
public:
    // The process-wide manager over the shared client and the main bundle, made on first use.
    static RemoteConfigManager& shared();

    // Applies the set-up: a minimum fetch interval of 0 s on remoteConfig. bundle must outlive
    // the manager; it gives the fallback catalogue and the running app's identifier.
    RemoteConfigManager(std::shared_ptr<RADEvuvozUziduz> remoteConfig, const NSBundle& bundle);

    RemoteConfigManager(const RemoteConfigManager&) = delete;
    RemoteConfigManager& operator=(const RemoteConfigManager&) = delete;

    const std::shared_ptr<RADEvuvozUziduz>& remoteConfig() const { return remoteConfig_; }

    void loadApps(const RADEvuvozUziduz& client);
    void loadAds(const RADEvuvozUziduz& client);
    void loadOffers(const RADEvuvozUziduz& client);
    void loadUmpReferenceData(const RADEvuvozUziduz& client);
    void loadVideoTutorials(const RADEvuvozUziduz& client);
    // The five loaders in order, on remoteConfig().
    void loadAllValues();

    // The completion of a fetch: loads on an error, activates and then loads on success, and
    // otherwise prints that nothing was fetched. Loading after the activation needs the manager
    // to be owned by a std::shared_ptr, as shared() and fetchCompletionHandler() assume.
    void handleFetchResult(RADEvuvozUziduzFetchStatus status, const std::optional<NSError>& error);
    void handleActivateResult(bool changed, const std::optional<NSError>& error);
    // handleFetchResult as a completion that does not keep the manager alive. The manager must
    // be owned by a std::shared_ptr.
    RADEvuvozUziduz::FetchCompletion fetchCompletionHandler();

    // Shown family apps other than this one: single apps, and those marked as multi-apps.
    std::vector<AppMetaData> singleApps() const;
    std::vector<AppMetaData> multiApps() const;
    // The running app's own record; once found it is kept for the rest of the run.
    std::optional<AppMetaData> getCurrentApp();
    // The calculator's videos in the application language, followed by the English ones.
    std::vector<std::string> getVideoTutorials(std::optional<CalculatorKey> key) const;
    std::vector<std::string> getVideoTutorials(std::optional<CalculatorKey> key, const std::string& language) const;

    std::vector<AppMetaData> apps() const;
    std::map<std::string, std::vector<KeTuAdData>> ads() const;
    std::map<std::string, std::vector<OfferData>> offers() const;
    std::optional<UmpReferenceData> umpReferenceData() const;
    std::optional<VideoTutorials> videoTutorials() const;

private:
    void loadAppsFromBundle();
    void replaceApps(std::vector<AppMetaData> apps);
    std::vector<AppMetaData> shownApps(bool multi) const;

    mutable std::mutex mutex_;
    std::mutex loadMutex_;
    std::optional<AppMetaData> currentApp_;
    std::shared_ptr<RADEvuvozUziduz> remoteConfig_;
    std::vector<AppMetaData> apps_;
    std::map<std::string, std::vector<KeTuAdData>> ads_;
    std::map<std::string, std::vector<OfferData>> offers_;
    std::optional<UmpReferenceData> umpReferenceData_;
    std::optional<VideoTutorials> videoTutorials_;
    const NSBundle& bundle_;
};
