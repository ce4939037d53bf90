#include "Radixel/screens/calculate/HistoryRecord.hpp"

#include "Radixel/services/CalculatorKey.hpp"
#include "platform/foundation/NumberText.hpp"

namespace {

std::string summaryPart(const std::string& name, const std::string& text, const Fraction& value, bool withFraction) {
    if (text.empty() || !value.z) return "?";
    if (withFraction && value.n != 1.0) {
        return name + " = \\frac{" + foundation::printfG(*value.z) + "}{" + foundation::printfG(value.n) + "}";
    }
    return name + " = " + foundation::printfG(*value.z / value.n);
}

}  // namespace

std::map<std::string, std::string> historyInputParameters(const std::string& pText, const std::string& qText) {
    std::map<std::string, std::string> parameters;
    if (!pText.empty()) parameters["p"] = pText;
    if (!qText.empty()) parameters["q"] = qText;
    return parameters;
}

std::string historyLatexString(const std::string& pText, const Fraction& p, const std::string& qText,
                               const Fraction& q, bool withFraction) {
    return summaryPart("p", pText, p, withFraction) + " \\quad " + summaryPart("q", qText, q, withFraction);
}

Calculation historyCalculation(const std::string& pText, const Fraction& p, const std::string& qText,
                               const Fraction& q, bool withFraction) {
    Calculation calculation;
    calculation.inputParameters = historyInputParameters(pText, qText);
    calculation.latexString = historyLatexString(pText, p, qText, q, withFraction);
    calculation.setupParameter = {{"appKey", code(CalculatorKey::quadraticEquation)}};
    return calculation;
}
