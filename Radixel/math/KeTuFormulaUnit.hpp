#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Radixel/math/Unit.hpp"

class NSBundle;

// The units of length, loaded from the bundle's "unitsOfLength.json" on construction. Each
// unit's factor converts to the default unit, metres: metres = value * factor.
class KeTuFormulaUnit {
public:
    // Loads from the main bundle.
    KeTuFormulaUnit();
    // Loads from the given bundle, which must outlive the object.
    explicit KeTuFormulaUnit(const NSBundle& bundle);

    // Replaces units with the JSON array of units in the resource "<fromFile>.json". Throws
    // FormulaError::configurationFailed when the file is missing or unreadable, the JSON
    // parser's error when it is not JSON and JSONDecodingError (naming "units[i]") when it is
    // not an array of complete units; units is left as it was on any failure.
    void loadUnits(const std::string& fromFile);

    const std::string defaultUnitKey = "m";
    std::vector<Unit> units;
    std::optional<Unit> targetUnit;

private:
    const NSBundle& bundle_;
};
