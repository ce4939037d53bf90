#include "platform/foundation/NumberText.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <clocale>
#include <cstring>
#include <string_view>

namespace foundation {

ShortestDecimal shortestDecimal(double finiteValue) {
    // Scientific form gives "d.ddde±x": the digits and the exponent without any rounding of ours.
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, finiteValue, std::chars_format::scientific);
    ShortestDecimal result;
    const char* p = buffer;
    if (ec != std::errc()) return result;
    if (*p == '-') {
        result.negative = true;
        ++p;
    }
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.') result.digits += *p;
    int exponent = 0;
    if (p < end) {
        const char* digits = p + 1;
        if (digits < end && *digits == '+') ++digits;  // from_chars takes no plus sign
        std::from_chars(digits, end, exponent);
    }
    while (result.digits.size() > 1 && result.digits.back() == '0') result.digits.pop_back();
    result.exponent = result.digits == "0" ? 0 : exponent + 1;
    return result;
}

std::string doubleDescription(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    ShortestDecimal d = shortestDecimal(value);
    std::string text = d.negative ? "-" : "";
    if (d.digits == "0") return text + "0.0";
    int decimalExponent = d.exponent - 1;  // of the first significant digit
    constexpr double twoTo53 = 9007199254740992.0;
    if (decimalExponent < -4 || std::fabs(value) > twoTo53) {
        text += d.digits[0];
        if (d.digits.size() > 1) text += "." + d.digits.substr(1);
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "e%c%02d", decimalExponent < 0 ? '-' : '+', std::abs(decimalExponent));
        return text + exponent;
    }
    if (d.exponent <= 0) return text + "0." + std::string(static_cast<size_t>(-d.exponent), '0') + d.digits;
    auto integerDigits = static_cast<size_t>(d.exponent);
    if (d.digits.size() <= integerDigits) return text + d.digits + std::string(integerDigits - d.digits.size(), '0') + ".0";
    return text + d.digits.substr(0, integerDigits) + "." + d.digits.substr(integerDigits);
}

std::string printfG(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    // The C library writes the current locale's decimal point; ours is always ".".
    std::string text = buffer;
    const char* point = std::localeconv()->decimal_point;
    if (point && std::string_view(point) != ".") {
        if (auto at = text.find(point); at != std::string::npos) text.replace(at, std::strlen(point), ".");
    }
    return text;
}

}  // namespace foundation
