#include "platform/foundation/NSNumberFormatter.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/foundation/NumberText.hpp"

namespace {

// Adds one unit in the last place of a string of decimal digits; true when it carried out of
// the first digit.
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

std::string grouped(const std::string& integerDigits) {
    std::string out;
    size_t n = integerDigits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += integerDigits[i];
    }
    return out;
}

}  // namespace

std::string NSNumberFormatter::stringFromNumber(double value) const {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-∞" : "∞";

    // Whole numbers, by far the most common in the solution steps, need no rounding at all.
    if (value == std::trunc(value) && std::fabs(value) < 9007199254740992.0 && !(value == 0 && std::signbit(value))) {
        char buffer[24];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int64_t>(value));
        std::string digits(buffer[0] == '-' ? buffer + 1 : buffer, end);
        return (value < 0 ? "-" : "") + (usesGroupingSeparator ? grouped(digits) : digits);
    }

    foundation::ShortestDecimal d = foundation::shortestDecimal(value);
    // Lay the digits out as integer part and fraction part.
    std::string integerPart, fractionPart;
    if (d.exponent <= 0) {
        integerPart = "0";
        fractionPart = std::string(static_cast<size_t>(-d.exponent), '0') + d.digits;
    } else {
        auto integerDigits = static_cast<size_t>(d.exponent);
        if (d.digits.size() <= integerDigits) {
            integerPart = d.digits + std::string(integerDigits - d.digits.size(), '0');
        } else {
            integerPart = d.digits.substr(0, integerDigits);
            fractionPart = d.digits.substr(integerDigits);
        }
    }

    auto keep = static_cast<size_t>(std::max<int64_t>(0, maximumFractionDigits));
    if (fractionPart.size() > keep) {
        std::string dropped = fractionPart.substr(keep);
        fractionPart.resize(keep);
        std::string kept = integerPart + fractionPart;
        bool roundUp = dropped[0] > '5';
        if (dropped[0] == '5') {
            bool beyondHalf = dropped.find_first_not_of('0', 1) != std::string::npos;
            bool lastKeptOdd = (kept.back() - '0') % 2 == 1;
            roundUp = beyondHalf || lastKeptOdd;
        }
        if (roundUp) {
            if (incrementDigits(kept)) kept.insert(kept.begin(), '1');
            integerPart = kept.substr(0, kept.size() - fractionPart.size());
            fractionPart = kept.substr(kept.size() - fractionPart.size());
        }
    }
    while (!fractionPart.empty() && fractionPart.back() == '0') fractionPart.pop_back();
    integerPart.erase(0, std::min(integerPart.find_first_not_of('0'), integerPart.size() - 1));

    std::string text = d.negative ? "-" : "";
    text += usesGroupingSeparator ? grouped(integerPart) : integerPart;
    if (!fractionPart.empty()) text += "." + fractionPart;
    return text;
}
