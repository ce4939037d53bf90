#include "Radixel/services/Calculation.hpp"

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
    // Built in place: nlohmann's initializer lists copy every nested value once more, which
    // doubles the cost of saving a long history.
    nlohmann::json result(nlohmann::json::value_t::object);
    nlohmann::json& inputs = result["inputParameters"] = nlohmann::json(nlohmann::json::value_t::object);
    for (const auto& [key, text] : inputParameters) inputs.emplace(key, text);
    result["latexString"] = latexString;
    nlohmann::json& steps = result["solutionSteps"] = nlohmann::json(nlohmann::json::value_t::array);
    for (const SolutionStep& step : solutionSteps) {
        nlohmann::json& stored = steps.emplace_back(nlohmann::json::value_t::object);
        for (const auto& [key, text] : step) stored.emplace(key, text);
    }
    result["setupParameter"] = setupParameter;
    return result;
}
