#include "Radixel/math/KeTuRadixel.hpp"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "platform/foundation/NumberText.hpp"

namespace {

constexpr const char* kInputParameterError = "inputParameterError";
constexpr const char* kInputZeroInDenominator = "inputZeroInDenominator";
constexpr const char* kNotEnoughInputValues = "notEnoughInputValues";

// Reads a whole text as a number by the C library's rules in the POSIX locale. Refused: the
// empty text, leading white space, anything left unread, and values that are not finite: a
// "nan" or an overflowing "1e400" has no place in the solution steps.
std::optional<double> convertNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    switch (text.front()) {
        case ' ': case '\t': case '\n': case '\v': case '\f': case '\r': return std::nullopt;
        default: break;
    }
    static locale_t posix = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    const char* begin = text.c_str();
    char* end = nullptr;
    double value = strtod_l(begin, &end, posix);
    // An embedded NUL stops the reading early, so it counts as unread text.
    if (end != begin + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

size_t countSlashes(const std::string& text) {
    size_t count = 0;
    for (char c : text) count += c == '/';
    return count;
}

}  // namespace

KeTuRadixel::KeTuRadixel() : outputHelper(KeTuStringOutput::shared()), operation(KeTuMathOperation::shared()) {}

KeTuRadixelResult KeTuRadixel::calculate(std::optional<std::string> pText, int64_t pTag,
                                         std::optional<std::string> qText, int64_t qTag) {
    inputPText = pText.value_or("");
    inputQText = qText.value_or("");
    inputPTag = pTag;
    inputQTag = qTag;

    KeTuRadixelResult result;
    computedNonFinite = false;
    const size_t stepsBefore = outputHelper.solutionSteps.size();
    const int64_t counterBefore = outputHelper.solutionStepCounter;
    if (auto error = parseInputs()) {
        result.errorKey = error->key;
        result.errorTag = error->tag;
    } else if (auto key = solve()) {
        result.errorKey = *key;
    } else if (computedNonFinite) {
        // Refused like "1e400": the steps would show "inf" or "nan". The field holding the
        // largest number is the one that overflowed (squaring, or a common denominator).
        outputHelper.solutionSteps.resize(stepsBefore);
        outputHelper.solutionStepCounter = counterBefore;
        auto magnitude = [](const Fraction& value) { return std::max(std::fabs(value.z.value_or(0.0)), std::fabs(value.n)); };
        result.errorKey = kInputParameterError;
        result.errorTag = magnitude(p) >= magnitude(q) ? inputPTag : inputQTag;
    } else {
        result.solutionSteps = outputHelper.solutionSteps;
        result.p = p;
        result.q = q;
    }
    result.withFraction = withFraction;
    return result;
}

// ---- Parsing ------------------------------------------------------------------------------

std::optional<KeTuRadixel::InputError> KeTuRadixel::parseInputs() {
    withFraction = inputPText.find('/') != std::string::npos || inputQText.find('/') != std::string::npos;
    if (withFraction) {
        // Both counts come before any number is read, so a second "/" is always what is reported.
        if (countSlashes(inputPText) >= 2) return InputError{kInputParameterError, inputPTag};
        if (countSlashes(inputQText) >= 2) return InputError{kInputParameterError, inputQTag};
    }
    if (auto error = parseInput(inputPText, inputPTag, p)) return error;
    return parseInput(inputQText, inputQTag, q);
}

std::optional<KeTuRadixel::InputError> KeTuRadixel::parseInput(const std::string& text, int64_t tag,
                                                                Fraction& value) const {
    if (text.empty()) return std::nullopt;
    if (!withFraction) {
        auto number = convertNumber(text);
        if (!number) return InputError{kInputParameterError, tag};
        value.z = *number;
        return std::nullopt;
    }

    std::string numeratorText = text;
    std::string denominatorText = "1";
    if (size_t slash = text.find('/'); slash != std::string::npos) {
        // Empty pieces are dropped: "3/" and "/3" both read as 3 over 3, "/" leaves nothing.
        std::string before = text.substr(0, slash);
        std::string after = text.substr(slash + 1);
        numeratorText = !before.empty() ? before : after;
        denominatorText = !after.empty() ? after : before;
    }
    auto numerator = convertNumber(numeratorText);
    if (!numerator) return InputError{kInputParameterError, tag};
    auto denominator = convertNumber(denominatorText);
    if (!denominator) return InputError{kInputParameterError, tag};
    if (*denominator == 0) return InputError{kInputZeroInDenominator, tag};
    value.z = *numerator;
    value.n = *denominator;
    return std::nullopt;
}

// ---- Normalisation and the input steps ----------------------------------------------------

std::optional<std::string> KeTuRadixel::solve() {
    if (!p.z || !q.z) return kNotEnoughInputValues;
    isAnyNumberChanged = false;
    normaliseZeroNumerators();
    addInputStep();
    normaliseUnitFractions();
    normaliseNegativeDenominators();
    expandDecimalFractions();
    if (isAnyNumberChanged) {
        addInputStep();
        isAnyNumberChanged = false;
    }
    writeSolutionSteps();
    return std::nullopt;
}

void KeTuRadixel::normaliseZeroNumerators() {
    for (Fraction* value : {&p, &q})
        if (*value->z == 0) value->n = 1.0;
}

void KeTuRadixel::addInputStep() {
    const std::string& title = isAnyNumberChanged ? LocalizedString::modifiedInput() : LocalizedString::yourInput();
    appendStep(outputHelper.nextStepTitle(title), "p = " + valueText(p) + " \\quad q = " + valueText(q));
}

void KeTuRadixel::normaliseUnitFractions() {
    // p = 1 is left alone while q = 1 counts as a change: the step sequence users know depends on it.
    if (*p.z != 1 && *p.z == p.n) {
        p = Fraction{1.0, 1.0};
        isAnyNumberChanged = true;
    }
    if (*q.z == q.n) {
        q = Fraction{1.0, 1.0};
        isAnyNumberChanged = true;
    }
}

void KeTuRadixel::normaliseNegativeDenominators() {
    for (Fraction* value : {&p, &q}) {
        if (value->n < 0) {
            value->z = -*value->z;
            value->n = -value->n;
            isAnyNumberChanged = true;
        }
    }
}

void KeTuRadixel::expandDecimalFractions() {
    bool anyExpanded = false;
    std::string texts[2];
    Fraction* values[2] = {&p, &q};
    for (int i = 0; i < 2; ++i) {
        Fraction& value = *values[i];
        texts[i] = valueText(value);
        // The expansion works on the six-digit "%g" print, as the step shows it.
        std::string z = foundation::printfG(*value.z);
        std::string n = foundation::printfG(value.n);
        double places = decimalPlaces(z, n);
        if (places <= 0) continue;
        double factor = std::pow(10.0, places);
        double expandedZ = std::round(factor * convertNumber(z).value_or(0.0));
        double expandedN = std::round(factor * convertNumber(n).value_or(0.0));
        // A denominator too small for the six-digit print (0.5/0.0000001) would expand to 0:
        // such a value keeps its decimals rather than become a division by zero.
        if (expandedN == 0 || !std::isfinite(expandedZ) || !std::isfinite(expandedN)) continue;
        using foundation::printfG;
        std::string expansion = "\\frac{" + z + " \\cdot " + printfG(factor) + "}{" + n + " \\cdot " + printfG(factor) + "}";
        value = Fraction{expandedZ, expandedN};
        texts[i] = expansion + " = " + valueText(value);
        isAnyNumberChanged = true;
        anyExpanded = true;
    }
    if (anyExpanded)
        appendStep(outputHelper.nextStepTitle(LocalizedString::expand()),
                   "p = " + texts[0] + " \\quad q = " + texts[1]);
}

// ---- Cancelling and text helpers ------------------------------------------------------------

KeTuRadixel::Cancelled KeTuRadixel::greatestCommonDivisor(std::optional<double> numerator, double denominator) {
    divisor = 1.0;
    if (!numerator) return {numerator, denominator};
    double a = *numerator;
    double b = denominator;
    if (!(std::fabs(a) > 1) || !(std::fabs(b) > 1)) return {numerator, denominator};
    // Whole parts must fit a signed 64-bit integer: [-2^63, 2^63).
    constexpr double limit = 9223372036854775808.0;
    auto fits = [&](double v) { return std::isfinite(v) && std::trunc(v) >= -limit && std::trunc(v) < limit; };
    if (!fits(a) || !fits(b)) return {numerator, denominator};

    // Euclid on the magnitudes finds the same divisor as counting down from the smaller one.
    auto magnitude = [](double v) {
        auto whole = static_cast<int64_t>(std::trunc(v));
        return whole < 0 ? 0 - static_cast<uint64_t>(whole) : static_cast<uint64_t>(whole);
    };
    uint64_t x = magnitude(a), y = magnitude(b);
    while (y != 0) {
        uint64_t r = x % y;
        x = y;
        y = r;
    }
    if (x < 2) return {numerator, denominator};
    double d = static_cast<double>(x);
    divisor = d;
    cancelDownDone = true;
    return {a / d, b / d};
}

double KeTuRadixel::decimalPlaces(const std::string& first, const std::string& second) {
    auto count = [](const std::string& text) -> size_t {
        if (text.find('.') == std::string::npos) return 0;
        std::string digits;
        size_t start = 0;
        while (start <= text.size()) {
            size_t dot = text.find('.', start);
            std::string piece = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
            if (!piece.empty()) digits = piece;
            if (dot == std::string::npos) break;
            start = dot + 1;
        }
        // Only a piece that reads as a signed 64-bit integer counts ("5e-07" does not).
        size_t signLength = !digits.empty() && (digits[0] == '+' || digits[0] == '-') ? 1 : 0;
        if (digits.size() == signLength) return 0;
        for (size_t i = signLength; i < digits.size(); ++i)
            if (digits[i] < '0' || digits[i] > '9') return 0;
        errno = 0;
        char* end = nullptr;
        std::strtoll(digits.c_str(), &end, 10);
        return errno == ERANGE ? 0 : digits.size();
    };
    return static_cast<double>(std::max(count(first), count(second)));
}

void KeTuRadixel::noteComputed(std::initializer_list<double> values) {
    for (double value : values) computedNonFinite = computedNonFinite || !std::isfinite(value);
}

std::string KeTuRadixel::number(double value) const {
    return outputHelper.numberString("", {}, "", 10, true, false, value);
}

std::string KeTuRadixel::valueText(const Fraction& value) const {
    return latexFraction(value.z, false, value.n);
}

std::string KeTuRadixel::latexFraction(std::optional<double> numerator, bool withBrackets, double denominator) const {
    std::string z = number(numerator.value_or(0.0));
    if (denominator == 1) return z;
    std::string fraction = "\\frac{" + z + "}{" + number(denominator) + "}";
    return withBrackets ? "\\left(" + fraction + "\\right)" : fraction;
}

std::string KeTuRadixel::latexPlusMinusSqrtTerm(const Fraction& a, const Fraction& b, const Fraction& c,
                                                bool squared) const {
    double az = a.z.value_or(0.0);
    double cz = c.z.value_or(0.0);
    std::string text = "= - " + latexFraction(a.z, false, a.n);
    std::string bracketedA = latexFraction(a.z, true, a.n);
    std::string C = latexFraction(c.z, false, c.n);
    if (squared) {
        std::string B = latexFraction(b.z, false, b.n);
        if (cz == 0) text += " \\pm \\sqrt{  " + B;
        else if (az != 0) text += " \\pm \\sqrt{ " + B + " - " + C;
        else text += " \\pm \\sqrt{ " + C;
    } else if (cz == 0) {
        text += " \\pm \\sqrt{  " + bracketedA + " ^2 -  " + C;
    } else if (az < 0) {
        text += " \\pm \\sqrt{  " + bracketedA + " ^2  -  " + C;
    } else if (az > 0) {
        text += " \\pm \\sqrt{ " + bracketedA + " ^2  -  " + C;
    } else {
        // A first term of 0 (p = 0): the constant term here is -q, so "minus q" keeps the
        // value under the root right.
        text += " \\pm \\sqrt{  -  " + latexFraction(-cz, false, c.n);
    }
    return text + "}";
}

void KeTuRadixel::appendStep(const std::string& title, std::string latex) {
    outputHelper.solutionSteps.push_back({{"title", title}, {"latexString", std::move(latex)}});
}
