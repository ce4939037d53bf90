// The steps of the formula itself, from the equation to the result: the second half of the
// solver, after the inputs have been parsed and normalised.
#include <cmath>
#include <string>

#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuRadixel.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"
#include "Radixel/texts/LocalizedString.hpp"
#include "platform/foundation/NumberText.hpp"

namespace {

constexpr const char* kX12 = "x_{1,2} ";

std::string commonDenominatorFormat(double az, double cz) {
    if (az < 0 && cz > 0)
        return " \\pm \\sqrt{\\frac{\\left( %g \\right) \\cdot %g}{%g  \\cdot %g} - \\frac{%g \\cdot %g}{%g  \\cdot %g}}";
    if (az > 0 && cz < 0)
        return " \\pm \\sqrt{\\frac{%g \\cdot %g}{%g  \\cdot %g} - \\frac{ \\left( %g \\right) \\cdot %g}{%g  \\cdot %g}}";
    if (az < 0 && cz < 0)
        return " \\pm \\sqrt{\\frac{\\left( %g \\right) \\cdot %g}{%g  \\cdot %g} - \\frac{\\left( %g \\right) \\cdot %g}{%g  \\cdot %g}}";
    return " \\pm \\sqrt{\\frac{%g \\cdot %g}{%g  \\cdot %g} - \\frac{%g \\cdot %g}{%g  \\cdot %g}}";
}

// Fills each "%g" of a fixed format in turn; the numbers never pass through printf as a
// format of their own.
std::string fillG(const std::string& format, std::initializer_list<double> values) {
    std::string out;
    auto value = values.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format.compare(i, 2, "%g") == 0 && value != values.end()) {
            out += foundation::printfG(*value++);
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

// The text with one enclosing pair of parentheses removed: "(-1.5)" becomes "-1.5".
std::string withoutOuterParentheses(const std::string& text) {
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') return text.substr(1, text.size() - 2);
    return text;
}

}  // namespace

void KeTuRadixel::writeSolutionSteps() {
    const double pz0 = *p.z, qz = *q.z;
    if (p.n == 1 && q.n == 1) withFraction = false;

    const std::string P = latexFraction(p.z, false, p.n);
    const std::string Q = latexFraction(q.z, false, q.n);
    auto numbered = [&](const std::string& title) { return outputHelper.nextStepTitle(title); };

    appendStep(numbered(LocalizedString::quadraticEquation()),
               "0 = x^2 + p \\cdot x + q = x^2 + " + P + " \\cdot x + " + Q);
    appendStep(numbered(LocalizedString::radixelTitle()),
               std::string(kX12) + "=" + " - \\frac{p}{2} \\pm \\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}");

    std::string insert = std::string(kX12) + "= - \\frac{" + P + "}{2} \\pm \\sqrt{ \\left( \\frac{" + P +
                         "}{2} \\right)^2 -  " + Q + "}";
    if (qz == 0 && pz0 != 0) {
        insert += "= - \\frac{" + P + "}{2} \\pm \\sqrt{ \\left( \\frac{" + P + "}{2} \\right)^2 }";
    } else if (pz0 == 0) {
        insert += "= " + latexFraction(0.0, true, 1.0) + " \\pm \\sqrt{   " + latexFraction(-qz, false, q.n) + "}";
    }
    appendStep(numbered(LocalizedString::insert()), insert);

    // Working values: with p = 0 the value under the root is -q, carried as the constant term.
    const double pz = pz0;
    const double pn = pz0 == 0 ? 1.0 : p.n;
    const Fraction c0{pz0 == 0 ? -qz : qz, q.n};
    const bool c0IsZero = *c0.z == 0;
    noteComputed({pz / pn, *c0.z / c0.n});

    if (pz / pn == 0 && *c0.z / c0.n == 0) {
        appendStep(LocalizedString::result(), "x_1 =  " + foundation::printfG(pz / pn) + " \\quad x_2 =  " +
                                                  foundation::printfG(*c0.z / c0.n));
        return;
    }

    // Halving p.
    auto squareRest = [&](const std::string& lead) {
        return c0IsZero ? lead + "^2 }" : lead + "^2 -  " + Q + "}";
    };
    double num, den;
    if (pn != 1) {
        appendStep(numbered(LocalizedString::doubleFraction()),
                   std::string(kX12) + "= - " + P + "\\cdot \\frac{1}{2} \\pm \\sqrt{ \\left( " + P +
                       squareRest("\\cdot \\frac{1}{2} \\right)"));
        double d = 2 * pn;
        appendStep(numbered(LocalizedString::calculate()),
                   std::string(kX12) + "= - " + latexFraction(pz, false, d) + " \\pm \\sqrt{ " +
                       latexFraction(pz, true, d) + squareRest(" "));
        num = pz;
        den = d;
    } else if (pz == 0) {
        num = 0;
        den = 1;
    } else {
        num = pz;
        den = 2;
    }
    noteComputed({num, den});
    if (den == num) {
        appendStep(numbered(LocalizedString::calculate()),
                   std::string(kX12) + "= - " + "1" + " \\pm \\sqrt{  " + "1" + squareRest(" "));
        num = 1;
        den = 1;
    }

    // Cancelling.
    cancelDownDone = false;
    Cancelled half = greatestCommonDivisor(num, den);
    Cancelled constant = greatestCommonDivisor(c0.z, c0.n);
    const Fraction a{half.z, half.n};
    const Fraction c{constant.z, constant.n};
    const double az = *a.z, an = a.n, cz = *c.z, cn = c.n;
    if (cancelDownDone) {
        const std::string& title =
            an == 1 && cn == 1 ? LocalizedString::calculate() : LocalizedString::cancelMath();
        appendStep(numbered(title), kX12 + latexPlusMinusSqrtTerm(a, a, c, false));
    }

    // Squaring.
    if (az != 0)
        appendStep(numbered(LocalizedString::square()),
                   kX12 + latexPlusMinusSqrtTerm(a, Fraction{az * az, an * an}, c, true));

    // Common denominator and subtraction under the root.
    const double s = az * az * cn, t = an * an * cz, e = an * an * cn;
    const std::string A = latexFraction(az, false, an);
    if (az != 0 && cz != 0 && (an * an != 1 || cn != 1)) {
        appendStep(numbered(LocalizedString::bringToACommonDenominator()),
                   std::string(kX12) + "=  - " + A +
                       fillG(commonDenominatorFormat(az, cz), {az * az, cn, an * an, cn, cz, an * an, cn, an * an}));
        appendStep("", std::string(kX12) + "=  - " + A + " \\pm \\sqrt{" + latexFraction(s, false, e) + " - " +
                           latexFraction(t, false, e) + "}");
    }
    if (az != 0 && cz != 0)
        appendStep(numbered(LocalizedString::subtraction()),
                   std::string(kX12) + "= - " + A + " \\pm \\sqrt{" + latexFraction(s - t, false, e) + "} ");
    const double v = az != 0 && cz != 0 ? s - t : (cz == 0 ? s : t);
    const double r = v / e;
    noteComputed({az, an, cz, cn, az * az, an * an, s, t, e, v, r});

    // The roots.
    const std::string M = az != 0 ? number(-az / an) : A;
    const std::string plainM = withoutOuterParentheses(M);
    const double h = az != 0 ? -az / an : 0.0;
    const std::string R = number(r);

    if (!(an == 1 && cn == 1))
        appendStep(numbered(LocalizedString::calculate()), std::string(kX12) + "= " + M + " \\pm \\sqrt{" + R + "}");

    if (r < 0) {
        appendStep(LocalizedString::result(), "\\begin{eqalign} x_1 &=  " + M + " + \\sqrt{" + R +
                                                  "} \\\\ x_2 &=  " + M + " - \\sqrt{" + R + "}\\end{eqalign} ");
        return;
    }

    const double w = std::sqrt(r);
    appendStep(numbered(LocalizedString::extractARoot()),
               std::string(kX12) + "= " + plainM + " \\pm " + foundation::printfG(w));

    const auto x1 = operation.roundedToDecimalPlaces(h + w, 3);
    const auto root = operation.roundedToDecimalPlaces(w, 3);
    const auto x2 = operation.roundedToDecimalPlaces(h - w, 3);
    noteComputed({w, x1.rounded, root.rounded, x2.rounded});
    const std::string S = root.isApproximate ? "\\approx" : "=";
    using foundation::doubleDescription;
    appendStep(numbered(LocalizedString::addition()), "x_1 " + S + " " + plainM + " + " +
                                                          doubleDescription(root.rounded) + " " + S + " " +
                                                          doubleDescription(x1.rounded));
    appendStep(numbered(LocalizedString::subtraction()), "x_2 " + S + " " + plainM + " -  " +
                                                             doubleDescription(root.rounded) + " " + S + " " +
                                                             doubleDescription(x2.rounded));
    appendStep(LocalizedString::result(), "x_1 " + S + " " + doubleDescription(x1.rounded) + " \\quad x_2 " + S + " " +
                                              doubleDescription(x2.rounded));
}
