#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class KeTuStringOutput;
class KeTuMathOperation;

// A number typed as numerator over denominator; z is absent when nothing was typed.
struct Fraction {
    std::optional<double> z;
    double n = 1.0;
};

struct KeTuRadixelResult {
    std::optional<std::string> errorKey;  // "notEnoughInputValues", "inputParameterError", "inputZeroInDenominator"
    std::optional<int64_t> errorTag;      // the view tag of the field at fault
    std::optional<std::vector<std::map<std::string, std::string>>> solutionSteps;
    std::optional<Fraction> p;  // normalised and expanded, on success only
    std::optional<Fraction> q;
    bool withFraction = false;
};

// Solves x^2 + p x + q = 0 from the two typed texts and writes every step of the way as LaTeX
// into the shared step output. One object serves one calculation.
class KeTuRadixel {
public:
    KeTuRadixel();

    KeTuRadixelResult calculate(std::optional<std::string> pText, int64_t pTag, std::optional<std::string> qText,
                                int64_t qTag);

    // Cancels numerator and denominator by the greatest common divisor of their whole parts
    // (when that is at least 2); hands back what it cannot cancel unchanged.
    struct Cancelled {
        std::optional<double> z;
        double n;
    };
    Cancelled greatestCommonDivisor(std::optional<double> numerator, double denominator);

    // "\frac{z}{n}" (or z alone when n is 1), optionally in \left( \right).
    std::string latexFraction(std::optional<double> numerator, bool withBrackets, double denominator) const;
    // "= - a \pm \sqrt{...}": the root term shared by the cancelling and squaring steps.
    std::string latexPlusMinusSqrtTerm(const Fraction& a, const Fraction& b, const Fraction& c, bool squared) const;
    // The larger count of digits after the last "." of either text (0 when not a whole number).
    static double decimalPlaces(const std::string& first, const std::string& second);

    KeTuStringOutput& outputHelper;
    KeTuMathOperation& operation;
    bool withFraction = false;
    std::string inputPText;
    std::string inputQText;
    int64_t inputPTag = 0;
    int64_t inputQTag = 0;
    Fraction p;
    Fraction q;
    bool negativeSqrt = false;
    std::optional<double> divisor;
    bool isAnyNumberChanged = false;
    bool cancelDownDone = false;

private:
    bool computedNonFinite = false;

    struct InputError {
        std::string key;
        int64_t tag;
    };
    std::optional<InputError> parseInputs();
    std::optional<InputError> parseInput(const std::string& text, int64_t tag, Fraction& value) const;
    std::optional<std::string> solve();
    void normaliseZeroNumerators();
    void addInputStep();
    void normaliseUnitFractions();
    void normaliseNegativeDenominators();
    void expandDecimalFractions();
    void writeSolutionSteps();

    // Remembers whether a value the steps work with is infinite or not a number: such an input
    // is too large to solve with, however finite it reads.
    void noteComputed(std::initializer_list<double> values);

    std::string number(double value) const;
    std::string valueText(const Fraction& value) const;
    void appendStep(const std::string& title, std::string latex);
};
