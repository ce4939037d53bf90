#pragma once

#include "platform/iosmath/MTMathListDisplay.hpp"
#include "platform/iosmath/MathList.hpp"
#include "platform/iosmath/MathStyle.hpp"

#include <limits>
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
    // Upright text, as an error message is shown in place of a formula, broken into lines no
    // wider than maxWidth: at blanks, or inside a word too long for a line of its own. Whatever
    // the font cannot draw (or is not UTF-8) shows as "?"; empty when the font is missing.
    static MTMathListDisplay layoutPlainText(std::string_view text, double fontSize,
                                             double maxWidth = std::numeric_limits<double>::infinity());
};

}  // namespace iosmath
