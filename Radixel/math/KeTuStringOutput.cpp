#include "Radixel/math/KeTuStringOutput.hpp"

#include <cmath>

#include "Radixel/texts/LocalizedString.hpp"
#include "platform/foundation/NSNumberFormatter.hpp"

KeTuStringOutput& KeTuStringOutput::shared() {
    static KeTuStringOutput instance;
    return instance;
}

std::string KeTuStringOutput::nextStepTitle(const std::string& title) {
    ++solutionStepCounter;
    // Built by concatenation rather than by using the texts as a format: a translation holding
    // "%" must show as it stands, never be read as a conversion.
    return LocalizedString::step() + " " + std::to_string(solutionStepCounter) + "    " + title;
}

std::string KeTuStringOutput::numberString(const std::string& unit, const std::vector<NaturalConstant>& constants,
                                           const std::string& variable, int64_t maximumFractionDigits,
                                           bool allowInfinity, bool withoutParentheses, double value) const {
    std::string text;
    if (std::fabs(value) < 1e-10) {
        text = "0";
    } else if (allowInfinity && value > 1e12) {
        text = "\\infty";
    } else if (allowInfinity && value < -1e12) {
        text = "-\\infty";
    } else {
        std::string constantText;
        for (const NaturalConstant& constant : constants) constantText += constant.latex;

        NSNumberFormatter formatter;
        formatter.maximumFractionDigits = maximumFractionDigits;
        formatter.usesGroupingSeparator = false;
        std::string digits = formatter.stringFromNumber(value);

        if (value < 0 && !withoutParentheses) {
            if (constantText.empty()) {
                text = "(" + digits + ")";
            } else if (value == -1) {
                text = "(-" + constantText + ")";
            } else {
                text = "(" + digits + constantText + ")";
            }
        } else if (constantText.empty()) {
            text = digits;
        } else {
            text = value == 1 ? constantText : digits + constantText;
        }
    }

    if (!variable.empty()) {
        if (text == "1" || text == "-1") {
            text = text == "1" ? variable : "-" + variable;
        } else {
            text += " " + variable;
        }
    }
    if (!unit.empty()) text += " " + unit;
    return text;
}
