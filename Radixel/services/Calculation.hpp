#pragma once

#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Radixel/math/KeTuStringOutput.hpp"

// One entry of the history. Stored in the user defaults as a dictionary whose keys are the
// field names.
struct Calculation {
    std::map<std::string, std::string> inputParameters;  // "p", "q"; an empty input has no entry
    std::string latexString;                              // one-line summary for the history list
    std::vector<SolutionStep> solutionSteps;              // kept empty in stored records
    nlohmann::json setupParameter = nlohmann::json::object();  // {"appKey": "ZV"}

    // Each field is taken from its key when the stored value has the field's kind, else left
    // empty, so one damaged field never costs the rest of the record. Extra keys are ignored.
    static Calculation initFromDictionary(const nlohmann::json& dictionary);

    // The four keys "inputParameters", "latexString", "solutionSteps", "setupParameter".
    nlohmann::json dictionary() const;

    bool operator==(const Calculation&) const = default;
};
