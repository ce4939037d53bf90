#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Radixel/services/Calculation.hpp"
#include "platform/foundation/NSUserDefaults.hpp"

// Keeps the calculation history (newest first) in the user defaults, rewriting the whole list
// on every change, together with the calculation the calculate screen showed last and the
// history entry the user picked. Main thread only.
class CalcManager {
public:
    // The process-wide store over the standard user defaults, made on first use.
    static CalcManager& shared();

    // Loads the history and both remembered records from userDefaults.
    explicit CalcManager(std::shared_ptr<NSUserDefaults> userDefaults);

    CalcManager(const CalcManager&) = delete;
    CalcManager& operator=(const CalcManager&) = delete;

    // Inserts at index 0 and saves the list.
    void addCalculation(Calculation calculation);
    // An index outside the list changes nothing; answers whether an entry was removed.
    bool removeCalculation(std::size_t index);
    // Exchanges two entries; indices outside the list change nothing.
    bool swapCalculations(std::size_t i, std::size_t j);

    // Stores currentSelectedCalculation, or removes the stored one when there is none.
    void saveCurrentSelectedCalculation();

    nlohmann::json calculationDictionaries() const;
    static nlohmann::json dictionary(const Calculation& calculation);

    // The stored history. Entries that are not records are skipped so the readable ones survive;
    // when none is readable (also a value that is no list at all) the history is empty and is
    // written back as an empty list.
    std::vector<Calculation> loadCalculations();
    std::optional<Calculation> loadCalculation(const std::string& key) const;

    // The first start's history: exactly the example p = -2.4, q = 7/3.
    void resetHistory();
    // resetHistory on the installation's very first start only (a marker in the user defaults
    // remembers it), and only into an empty history; answers whether it seeded.
    bool resetHistoryOnFirstStart();

    std::shared_ptr<NSUserDefaults> userDefaults;
    std::string persistKey = "quorvath_1";
    std::vector<Calculation> calculations;
    std::optional<Calculation> currentCalculation;
    std::optional<Calculation> currentSelectedCalculation;

private:
    void saveCalculations();
};
