#pragma once

#include "platform/iosmath/MTMathListDisplay.hpp"
#include "platform/iosmath/MathList.hpp"
#include "platform/iosmath/MathStyle.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace iosmath {

struct MathLayoutResult {
    std::optional<MTMathListDisplay> display;  // absent when the formula cannot be typeset
    std::string error;
};

// Lays out formulas by the rules of TeX's math typesetting, with every distance taken from the
// MATH table of the math font.
class MathTypesetter {
public:
    static MathLayoutResult layout(std::string_view latex, double fontSize,
                                   MathStyleLevel style = MathStyleLevel::Display);
    static MathLayoutResult layout(const MathList& list, double fontSize,
                                   MathStyleLevel style = MathStyleLevel::Display);
    // Upright text on one line, as an error message is shown in place of a formula. Whatever
    // the font cannot draw (or is not UTF-8) shows as "?"; empty when the font is missing.
    static MTMathListDisplay layoutPlainText(std::string_view text, double fontSize);
};

}  // namespace iosmath
