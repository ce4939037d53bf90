#include "Radixel/services/CalcManager.hpp"

#include <iostream>
#include <utility>

#include "Radixel/services/DefaultsKeys.hpp"
#include "platform/foundation/ProcessLifetime.hpp"

CalcManager& CalcManager::shared() {
    static ProcessShared<CalcManager> manager(
        [] { return std::make_shared<CalcManager>(NSUserDefaults::standardUserDefaults()); });
    return *manager.get();
}

CalcManager::CalcManager(std::shared_ptr<NSUserDefaults> defaults) : userDefaults(std::move(defaults)) {
    calculations = loadCalculations();
    currentCalculation = loadCalculation(DefaultsKeys::currentCalculation.name());
    currentSelectedCalculation = loadCalculation(DefaultsKeys::currentSelectedCalculation.name());
}

void CalcManager::addCalculation(Calculation calculation) {
    calculations.insert(calculations.begin(), std::move(calculation));
    saveCalculations();
}

bool CalcManager::removeCalculation(std::size_t index) {
    if (index >= calculations.size()) return false;
    calculations.erase(calculations.begin() + static_cast<std::ptrdiff_t>(index));
    saveCalculations();
    return true;
}

bool CalcManager::swapCalculations(std::size_t i, std::size_t j) {
    if (i >= calculations.size() || j >= calculations.size()) return false;
    Calculation a = calculations[i];
    Calculation b = calculations[j];
    calculations[j] = std::move(a);
    saveCalculations();
    calculations[i] = std::move(b);
    saveCalculations();
    return true;
}

void CalcManager::saveCurrentSelectedCalculation() {
    std::optional<nlohmann::json> value;
    if (currentSelectedCalculation) value = dictionary(*currentSelectedCalculation);
    DefaultsKeys::currentSelectedCalculation.set(*userDefaults, value);
}

nlohmann::json CalcManager::calculationDictionaries() const {
    nlohmann::json list = nlohmann::json::array();
    list.get_ref<nlohmann::json::array_t&>().reserve(calculations.size());
    for (const Calculation& calculation : calculations) list.push_back(dictionary(calculation));
    return list;
}

nlohmann::json CalcManager::dictionary(const Calculation& calculation) { return calculation.dictionary(); }

std::vector<Calculation> CalcManager::loadCalculations() {
    std::vector<nlohmann::json> stored = DefaultsKeys::calculations.get(*userDefaults);
    std::vector<Calculation> loaded;
    loaded.reserve(stored.size());
    std::size_t skipped = 0;
    for (const nlohmann::json& entry : stored) {
        if (entry.is_object())
            loaded.push_back(Calculation::initFromDictionary(entry));
        else
            ++skipped;
    }
    if (!loaded.empty()) {
        if (skipped > 0)
            std::cout << "History: skipped " << skipped << " stored entries that are not records" << std::endl;
        return loaded;
    }

    // Nothing readable (no list, or a list without a single record) is an empty history, and the
    // stored value is replaced so the next start reads a clean list.
    std::optional<nlohmann::json> raw = userDefaults->objectForKey(DefaultsKeys::calculations.name());
    if (raw && *raw != nlohmann::json::array())
        std::cout << "History: stored value holds no records; starting with an empty history" << std::endl;
    userDefaults->removeObjectForKey(DefaultsKeys::calculations.name());
    calculations.clear();
    saveCalculations();
    return {};
}

std::optional<Calculation> CalcManager::loadCalculation(const std::string& key) const {
    std::optional<nlohmann::json> stored = userDefaults->dictionaryForKey(key);
    if (!stored) return std::nullopt;
    return Calculation::initFromDictionary(*stored);
}

void CalcManager::resetHistory() {
    userDefaults->removeObjectForKey(DefaultsKeys::calculations.name());
    calculations.clear();
    saveCalculations();

    Calculation example;
    example.inputParameters = {{"p", "-2.4"}, {"q", "7/3"}};
    example.latexString = "p = -2.4, q = \\frac{7}{3}";
    example.setupParameter = {{"appKey", "ZV"}};
    addCalculation(std::move(example));
}

bool CalcManager::resetHistoryOnFirstStart() {
    if (DefaultsKeys::isFirstStartDone.get(*userDefaults)) return false;
    // A marker that is missing or not a Boolean (a hand edit, an older file) does not make a
    // stored history a first start's: the example only ever goes into an empty one.
    bool seeds = calculations.empty();
    if (seeds) resetHistory();
    DefaultsKeys::isFirstStartDone.set(*userDefaults, true);
    return seeds;
}

void CalcManager::saveCalculations() {
    // Written as one array directly: a typed round trip would copy the whole history twice more.
    userDefaults->setObject(calculationDictionaries(), DefaultsKeys::calculations.name());
}
