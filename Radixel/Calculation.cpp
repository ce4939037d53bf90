#include "Radixel/Calculation.hpp"

namespace {

bool isDictionaryOfTexts(const nlohmann::json& value) {
    if (!value.is_object()) return false;
    for (const auto& item : value)
        if (!item.is_string()) return false;
    return true;
}

bool isListOfStepDictionaries(const nlohmann::json& value) {
    if (!value.is_array()) return false;
    for (const auto& item : value)
        if (!isDictionaryOfTexts(item)) return false;
    return true;
}

}  // namespace

Calculation Calculation::initFromDictionary(const nlohmann::json& dictionary) {
    Calculation calculation;
    if (!dictionary.is_object()) return calculation;
    if (auto it = dictionary.find("inputParameters"); it != dictionary.end() && isDictionaryOfTexts(*it))
        calculation.inputParameters = it->get<std::map<std::string, std::string>>();
    if (auto it = dictionary.find("latexString"); it != dictionary.end() && it->is_string())
        calculation.latexString = it->get<std::string>();
    if (auto it = dictionary.find("solutionSteps"); it != dictionary.end() && isListOfStepDictionaries(*it))
        calculation.solutionSteps = it->get<std::vector<SolutionStep>>();
    if (auto it = dictionary.find("setupParameter"); it != dictionary.end() && it->is_object())
        calculation.setupParameter = *it;
    return calculation;
}

nlohmann::json Calculation::dictionary() const {
    nlohmann::json steps = nlohmann::json::array();
    for (const SolutionStep& step : solutionSteps) steps.push_back(step);
    return {
        {"inputParameters", inputParameters},
        {"latexString", latexString},
        {"solutionSteps", std::move(steps)},
        {"setupParameter", setupParameter},
    };
}
