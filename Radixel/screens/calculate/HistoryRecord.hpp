#pragma once

#include <map>
#include <string>

#include "Radixel/math/KeTuRadixel.hpp"
#include "Radixel/services/Calculation.hpp"

// The history entry a successful calculation leaves: the typed texts, a one-line LaTeX summary
// such as "p = \frac{1}{2} \quad q = 3", no steps, and this calculator's code as "appKey".
//
// The summary shows each value as the solver read it, in printf's "%g" form: as a fraction
// only when fractions were typed and the denominator is not 1, else as the value itself, so a
// decimal input that the solver expanded to 5 over 10 shows as "p = 0.5". An empty input shows
// as "?", and so does a value the solver left without a numerator. An empty input also has no
// entry among the typed texts, which is how the history tells it was never typed.

std::map<std::string, std::string> historyInputParameters(const std::string& pText, const std::string& qText);

std::string historyLatexString(const std::string& pText, const Fraction& p, const std::string& qText,
                               const Fraction& q, bool withFraction);

Calculation historyCalculation(const std::string& pText, const Fraction& p, const std::string& qText,
                               const Fraction& q, bool withFraction);
