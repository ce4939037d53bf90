#include "MathTestSupport.hpp"

#include <algorithm>
#include <cmath>
#include <vector>
#include <string>
#include <tuple>

using namespace iosmath_test;
using iosmath::MathStyleLevel;

namespace {

constexpr double kSize = 20;
constexpr double kTolerance = 1e-9;

double scriptSize(double size) {
    return size * font().constant(HB_OT_MATH_CONSTANT_SCRIPT_PERCENT_SCALE_DOWN) / 100.0;
}

}  // namespace

TEST(FractionLayout, BarSitsOnTheMathAxisWithTheFontsShiftsAndGaps) {
    struct Style {
        MathStyleLevel level;
        double numeratorSize;
        hb_ot_math_constant_t shiftUp, shiftDown, numeratorGap, denominatorGap;
    };
    const Style styles[] = {
        {MathStyleLevel::Display, kSize, HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_DISPLAY_STYLE_SHIFT_UP,
         HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_DISPLAY_STYLE_SHIFT_DOWN,
         HB_OT_MATH_CONSTANT_FRACTION_NUM_DISPLAY_STYLE_GAP_MIN, HB_OT_MATH_CONSTANT_FRACTION_DENOM_DISPLAY_STYLE_GAP_MIN},
        {MathStyleLevel::Text, scriptSize(kSize), HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_SHIFT_UP,
         HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_SHIFT_DOWN, HB_OT_MATH_CONSTANT_FRACTION_NUMERATOR_GAP_MIN,
         HB_OT_MATH_CONSTANT_FRACTION_DENOMINATOR_GAP_MIN},
    };
    for (const Style& style : styles) {
        MTMathListDisplay fraction = layout("\\frac{a}{b}", kSize, style.level);
        auto bars = rules(fraction);
        ASSERT_EQ(bars.size(), 1u);
        const MTDisplayItem& bar = bars[0];
        EXPECT_NEAR(bar.height, points(HB_OT_MATH_CONSTANT_FRACTION_RULE_THICKNESS, kSize), kTolerance);
        EXPECT_NEAR(bar.y + bar.height / 2, points(HB_OT_MATH_CONSTANT_AXIS_HEIGHT, kSize), kTolerance);

        const MTDisplayItem numerator = only(fraction, italicGlyph(U'a'));
        const MTDisplayItem denominator = only(fraction, italicGlyph(U'b'));
        EXPECT_DOUBLE_EQ(numerator.size, style.numeratorSize);
        EXPECT_GE(numerator.y + kTolerance, points(style.shiftUp, kSize));
        EXPECT_GE(-denominator.y + kTolerance, points(style.shiftDown, kSize));
        EXPECT_GE(inkBottom(numerator) - (bar.y + bar.height) + kTolerance, points(style.numeratorGap, kSize));
        EXPECT_GE(bar.y - inkTop(denominator) + kTolerance, points(style.denominatorGap, kSize));
        EXPECT_GE(fraction.ascent + kTolerance, inkTop(numerator));
        EXPECT_GE(fraction.descent + kTolerance, -inkBottom(denominator));
    }
    // A tall numerator is pushed away from the bar by exactly the gap.
    MTMathListDisplay nested = layout("\\frac{\\frac{a}{b}}{c}");
    auto bars = rules(nested);
    ASSERT_EQ(bars.size(), 2u);
    const auto& outer = bars[0].width > bars[1].width ? bars[0] : bars[1];
    EXPECT_NEAR(inkBottom(only(nested, italicGlyph(U'b'))) - (outer.y + outer.height),
                points(HB_OT_MATH_CONSTANT_FRACTION_NUM_DISPLAY_STYLE_GAP_MIN, kSize), kTolerance);
}

TEST(RadicalLayout, OverbarStandsAboveTheContentByTheFontsGap) {
    MTMathListDisplay root = layout("\\sqrt{x}");
    auto bars = rules(root);
    ASSERT_EQ(bars.size(), 1u);
    const MTDisplayItem x = only(root, italicGlyph(U'x'));
    const double thickness = points(HB_OT_MATH_CONSTANT_RADICAL_RULE_THICKNESS, kSize);
    EXPECT_NEAR(bars[0].height, thickness, kTolerance);
    EXPECT_GE(bars[0].y - inkTop(x) + kTolerance, points(HB_OT_MATH_CONSTANT_RADICAL_DISPLAY_STYLE_VERTICAL_GAP, kSize));
    EXPECT_GE(bars[0].x + bars[0].width + kTolerance, x.x + units(font().metrics(x.glyph).inkRight, kSize));
    EXPECT_NEAR(root.ascent, bars[0].y + thickness + points(HB_OT_MATH_CONSTANT_RADICAL_EXTRA_ASCENDER, kSize),
                kTolerance);

    // The sign reaches the bar, and it is one shape with it so no seam shows.
    const MTDisplayItem* sign = nullptr;
    for (const auto& item : root.items) {
        if (item.kind == MTDisplayItem::Kind::Glyph && item.glyph != x.glyph) sign = &item;
    }
    ASSERT_NE(sign, nullptr);
    EXPECT_NEAR(inkTop(*sign), bars[0].y + thickness, kTolerance);
    EXPECT_EQ(sign->shape, bars[0].shape);
    EXPECT_NE(bars[0].shape, 0u);
}

namespace {

// The delimiter at the left or right end of a formula that is a single \left...\right.
struct Delimiter {
    std::vector<MTDisplayItem> pieces;
    double top = -1e9, bottom = 1e9;
};

Delimiter delimiterAt(const MTMathListDisplay& display, bool left) {
    Delimiter found;
    const MTDisplayItem& last = display.items.back();
    for (const auto& item : display.items) {
        if (item.kind != MTDisplayItem::Kind::Glyph) continue;
        bool wanted = left ? std::abs(item.x) < kTolerance
                           : (last.shape != 0 ? item.shape == last.shape : &item == &last);
        if (!wanted) continue;
        found.pieces.push_back(item);
        found.top = std::max(found.top, inkTop(item));
        found.bottom = std::min(found.bottom, inkBottom(item));
    }
    return found;
}

// The largest distance of the contents from the math axis, and the size rule 19 asks of the
// delimiters around them: max(δ · 901/500, 2δ − 5pt), 5pt being half of a 10pt text size.
double axisDistance(const MTMathListDisplay& contents) {
    const double axis = points(HB_OT_MATH_CONSTANT_AXIS_HEIGHT, kSize);
    return std::max(contents.ascent - axis, contents.descent + axis);
}
double ruleNineteenSize(const MTMathListDisplay& contents) {
    const double delta = axisDistance(contents);
    return std::max(delta * 901 / 500, 2 * delta - kSize / 2);
}

// Whether the next smaller size of the delimiter, if it is one of its sizes, would do as well.
bool smallerSizeWouldDo(char32_t codepoint, const Delimiter& delimiter, double required) {
    auto variants = font().verticalVariants(glyphOf(codepoint));
    for (size_t i = 1; i < variants.size(); ++i) {
        if (variants[i].glyph == delimiter.pieces[0].glyph) return units(variants[i - 1].advance, kSize) >= required;
    }
    return false;
}

}  // namespace

TEST(DelimiterLayout, DelimitersMeetRuleNineteenAndSitOnTheAxis) {
    // Contents, the left and right delimiters as written and their code points.
    const std::tuple<const char*, const char*, const char*, char32_t, char32_t> cases[] = {
        {"x", "(", ")", U'(', U')'},
        {"\\frac{p}{2}", "(", ")", U'(', U')'},
        {"\\frac{(-2)}{2}", "(", ")", U'(', U')'},
        {"\\frac{\\frac{a}{b}}{\\frac{c}{d}}", "[", "]", U'[', U']'},
        {"\\begin{aligned} a \\\\ b \\\\ c \\\\ d \\\\ e \\\\ f \\end{aligned}", "\\{", "|", U'{', U'|'},
        {"\\sqrt{\\frac{\\frac{a}{b}}{c}}", "\\langle", "\\rangle", U'\u27E8', U'\u27E9'},
    };
    const double axis = points(HB_OT_MATH_CONSTANT_AXIS_HEIGHT, kSize);
    for (const auto& [contents, leftText, rightText, leftCodepoint, rightCodepoint] : cases) {
        const std::string latex = std::string("\\left") + leftText + " " + contents + " \\right" + rightText;
        const double required = ruleNineteenSize(layout(contents));
        MTMathListDisplay display = layout(latex);
        for (bool left : {true, false}) {
            Delimiter delimiter = delimiterAt(display, left);
            ASSERT_FALSE(delimiter.pieces.empty()) << latex;
            EXPECT_GE(delimiter.top - delimiter.bottom + 1e-6, required) << latex;
            EXPECT_NEAR((delimiter.top + delimiter.bottom) / 2, axis, 1e-6) << latex;
            EXPECT_GE(display.ascent + 1e-6, delimiter.top) << latex;
            EXPECT_GE(display.descent + 1e-6, -delimiter.bottom) << latex;
            EXPECT_FALSE(smallerSizeWouldDo(left ? leftCodepoint : rightCodepoint, delimiter, required)) << latex;
        }
    }
}

// A superscript rises by the font's shift, less in the cramped style under a radical, but its
// bottom no lower than the font's minimum; it follows the italic correction of its base.
TEST(ScriptLayout, SuperscriptRisesByTheFontsShiftAndShrinks) {
    const MTDisplayItem two = only(layout("f^2"), glyphOf(U'2'));
    const double bottomMin =
        units(font().metrics(two.glyph).descent, two.size) + points(HB_OT_MATH_CONSTANT_SUPERSCRIPT_BOTTOM_MIN, kSize);
    EXPECT_NEAR(two.y, std::max(points(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP, kSize), bottomMin), kTolerance);
    EXPECT_DOUBLE_EQ(two.size, scriptSize(kSize));
    const auto& f = font().metrics(italicGlyph(U'f'));  // a letter with an italic correction
    EXPECT_NEAR(two.x, units(f.advance + f.italicCorrection, kSize), kTolerance);
    EXPECT_NEAR(only(layout("\\sqrt{x^2}"), glyphOf(U'2')).y,
                std::max(points(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP_CRAMPED, kSize), bottomMin), kTolerance);
    const MTMathListDisplay inSubscript = layout("x_{a^2}");  // a subscript is cramped too
    EXPECT_NEAR(only(inSubscript, glyphOf(U'2')).y - only(inSubscript, italicGlyph(U'a')).y,
                points(HB_OT_MATH_CONSTANT_SUPERSCRIPT_SHIFT_UP_CRAMPED, scriptSize(kSize)), kTolerance);
}

TEST(ScriptLayout, SubscriptDropsAndStaysClearOfTheSuperscript) {
    EXPECT_GE(-only(layout("x_1"), glyphOf(U'1')).y + kTolerance, points(HB_OT_MATH_CONSTANT_SUBSCRIPT_SHIFT_DOWN, kSize));
    MTMathListDisplay both = layout("x_1^2");
    EXPECT_GE(inkBottom(only(both, glyphOf(U'2'))) - inkTop(only(both, glyphOf(U'1'))) + kTolerance,
              points(HB_OT_MATH_CONSTANT_SUB_SUPERSCRIPT_GAP_MIN, kSize));
}

// A formula is its parts side by side with TeX's glue between the atoms, in mu (thin 3, medium 4,
// thick 5, quad 18 at 18 mu to the em). A minus with nothing, an opening or a relation before it is
// a sign, not an operation. LaTeX's \frac is a group around the generalized fraction, so it spaces
// as an Ord atom: an Inner one would take a thin space next to letters, a sign, brackets and
// punctuation. \left...\right stays Inner (rule 19), so a letter before it is a thin space away.
TEST(SpacingLayout, FormulasAreTheirPartsWithTeXsGlueBetweenAtoms) {
    struct Case {
        const char* latex;
        std::vector<const char*> parts;
        int mu;
    };
    const Case cases[] = {
        {"a\\quad b", {"ab"}, 18}, {"a\\qquad b", {"ab"}, 36}, {"h\\,b", {"hb"}, 3},
        {"a\\:b", {"ab"}, 4}, {"a\\;b", {"ab"}, 5}, {"a\\!b", {"ab"}, -3},
        {"a+b", {"a", "+", "b"}, 2 * 4}, {"a=b", {"a", "=", "b"}, 2 * 5}, {"-b", {"-", "b"}, 0},
        {"a=-b", {"a", "=", "-", "b"}, 2 * 5}, {"(-b)", {"(", "-", "b", ")"}, 0},
        {"-\\frac{p}{2}", {"-", "\\frac{p}{2}"}, 0}, {"\\frac{p}{2}(", {"\\frac{p}{2}", "("}, 0},
        {"\\frac{p}{2},q", {"\\frac{p}{2}", ",", "q"}, 3}, {"a\\left(x\\right)", {"a", "\\left(x\\right)"}, 3},
        // A history line: two thick spaces on each side of the quad.
        {"p = \\frac{1}{2} \\quad q = 3", {"p", "=", "\\frac{1}{2}", "q", "=", "3"}, 4 * 5 + 18},
        // The solution formula: Ord x_{1,2}, Rel =, the sign, the fraction, Bin \pm, the root.
        {"x_{1,2} = - \\frac{p}{2} \\pm \\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}",
         {"x_{1,2}", "=", "-", "\\frac{p}{2}", "\\pm", "\\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}"}, 2 * 5 + 2 * 4},
    };
    for (const Case& c : cases) {
        double expected = kSize * c.mu / 18;
        for (const char* part : c.parts) expected += layout(part).width;
        EXPECT_NEAR(layout(c.latex).width, expected, kTolerance) << c.latex;
    }
}

TEST(SpacingLayout, ScriptsDropTheMediumAndThickSpaces) {
    MTMathListDisplay script = layout("x^{a+b}");
    const auto& a = font().metrics(italicGlyph(U'a'));
    EXPECT_NEAR(only(script, italicGlyph(U'b')).x - only(script, italicGlyph(U'a')).x,
                (a.advance + a.italicCorrection + font().metrics(glyphOf(U'+')).advance) * scriptSize(kSize) /
                    font().unitsPerEm(),
                kTolerance);
}

TEST(AlignmentLayout, EqalignLinesUpTheRelationsInOneColumn) {
    MTMathListDisplay table = layout("\\begin{eqalign} x_1 &= 1 \\\\ x_{22} &= 333 \\end{eqalign}");
    auto equals = itemsWithGlyph(table, glyphOf(U'='));
    ASSERT_EQ(equals.size(), 2u);
    EXPECT_NEAR(equals[0].x, equals[1].x, kTolerance);
    EXPECT_LT(equals[1].y, equals[0].y);
    EXPECT_NEAR(equals[0].y - equals[1].y, 1.5 * kSize, kTolerance);  // \baselineskip and eqalign's \jot
    // The right column starts with the relation, spaced as after an ordinary symbol.
    auto x = itemsWithGlyph(table, italicGlyph(U'x'));
    ASSERT_EQ(x.size(), 2u);
    EXPECT_GT(x[0].x, x[1].x);  // x_1 is narrower than x_22 and aligned to the right
    auto ones = itemsWithGlyph(table, glyphOf(U'1'));
    auto threes = itemsWithGlyph(table, glyphOf(U'3'));
    double firstRight = 0;
    for (const auto& one : ones) firstRight = std::max(firstRight, one.x);
    EXPECT_NEAR(firstRight, threes[0].x, kTolerance);
    EXPECT_NEAR(firstRight - equals[0].x,
                units(font().metrics(equals[0].glyph).advance, kSize) + kSize * 5 / 18, kTolerance);
    // Centred on the math axis.
    EXPECT_NEAR((table.ascent - table.descent) / 2, points(HB_OT_MATH_CONSTANT_AXIS_HEIGHT, kSize), kTolerance);
}

TEST(ColourLayout, ColouredAtomsCarryTheirColourIntoEveryPiece) {
    MTMathListDisplay display = layout("y + \\color{#00ff00}{\\frac{a}{\\sqrt{b}}}");
    for (const auto& item : display.items) {
        bool isY = item.kind == MTDisplayItem::Kind::Glyph && item.glyph == italicGlyph(U'y');
        bool isPlus = item.kind == MTDisplayItem::Kind::Glyph && item.glyph == glyphOf(U'+');
        EXPECT_EQ(item.color, (isY || isPlus) ? iosmath::kInheritColor : 0xFF00FF00u);
    }
}

TEST(PlainTextLayout, BreaksLinesAtBlanksAndInsideOverlongWords) {
    using iosmath::MathTypesetter;
    const double twoWords = MathTypesetter::layoutPlainText("aaa bbb", kSize).width;
    MTMathListDisplay wrapped = MathTypesetter::layoutPlainText("aaa bbb  ccc", kSize, twoWords + 0.01);
    EXPECT_NEAR(wrapped.width, twoWords, kTolerance);
    ASSERT_EQ(wrapped.items.size(), 10u);  // the blank inside the line stays, those at the break go
    EXPECT_EQ(wrapped.items[6].y, 0);
    EXPECT_NEAR(wrapped.items[7].y, -1.2 * kSize, kTolerance);  // \baselineskip 12pt for 10pt type
    EXPECT_NEAR(wrapped.items[7].x, 0, kTolerance);
    EXPECT_NEAR(wrapped.descent, 1.2 * kSize + MathTypesetter::layoutPlainText("ccc", kSize).descent, kTolerance);

    const double letter = MathTypesetter::layoutPlainText("q", kSize).width;
    MTMathListDisplay word = MathTypesetter::layoutPlainText(std::string(10, 'q'), kSize, 3.5 * letter);
    EXPECT_NEAR(word.width, 3 * letter, kTolerance);
    EXPECT_NEAR(word.items.back().y, -3 * 1.2 * kSize, kTolerance);  // 3 + 3 + 3 + 1 letters
    EXPECT_EQ(MathTypesetter::layoutPlainText("q q", kSize, 0).items.size(), 2u);  // no room: a letter a line
    EXPECT_NEAR(MathTypesetter::layoutPlainText("q qqq", kSize, 3.5 * letter).width, 3 * letter, kTolerance);
}

TEST(LayoutErrors, ReportsWhatCannotBeTypeset) {
    auto missing = iosmath::MathTypesetter::layout("\xF0\x9F\x98\x80", kSize);  // an emoji
    EXPECT_FALSE(missing.display);
    EXPECT_NE(missing.error.find("U+1F600"), std::string::npos);
    EXPECT_FALSE(iosmath::MathTypesetter::layout("x", 0).display);
    EXPECT_FALSE(iosmath::MathTypesetter::layout("x", -1).display);
    EXPECT_FALSE(iosmath::MathTypesetter::layout("\\left(", kSize).display);
    auto empty = iosmath::MathTypesetter::layout("", kSize);
    ASSERT_TRUE(empty.display);
    EXPECT_EQ(empty.display->width, 0);
}

TEST(DelimiterLayout, AssembledDelimitersJoinWithoutGapsAndStayFewPieces) {
    std::string rows;
    for (int i = 0; i < 200; ++i) rows += "x \\\\ ";
    MTMathListDisplay display = layout("\\left\\{ \\begin{aligned} " + rows + " \\end{aligned} \\right)");
    EXPECT_LT(display.items.size(), 200u + 20u);
    std::vector<MTDisplayItem> left;
    for (const auto& item : display.items) {
        if (item.shape != 0 && item.x < 1) left.push_back(item);
    }
    ASSERT_GE(left.size(), 3u);  // bottom, middle and top pieces with stretched extenders between
    std::sort(left.begin(), left.end(), [](const auto& a, const auto& b) { return inkBottom(a) < inkBottom(b); });
    const double overlap = units(font().minConnectorOverlap(), kSize);
    for (size_t i = 1; i < left.size(); ++i) {
        EXPECT_GE(inkTop(left[i - 1]) - inkBottom(left[i]) + 1e-6, overlap) << "join " << i;
    }
    // Rule 19 lets each end fall short of the contents by half the 5pt shortfall at most.
    const double reach = axisDistance(layout("\\begin{aligned} " + rows + " \\end{aligned}")) - kSize / 4;
    const double axis = points(HB_OT_MATH_CONSTANT_AXIS_HEIGHT, kSize);
    EXPECT_LE(inkBottom(left.front()), axis - reach + 1e-6);
    EXPECT_GE(inkTop(left.back()), axis + reach - 1e-6);
}

// The solver's step formulas for p = -2, q = -3 and for p = -2.4, q = 7/3, as TeX sets them
// (The TeXbook, appendix G) with Latin Modern Math's MATH constants, at 20 pt in display style.
// Widths in points of the whole run, and total heights in em where fractions, delimiters and
// roots decide them. Formulas where a fraction follows the sign or comes before \quad are 3.33 pt (a
// thin space) narrower than with Inner fractions; the solution formula with p itself is 5.97 pt
// narrower, its parentheses and root also being a size smaller. The rest have their fractions
// next to binary operators and relations, whose glue is the same for Ord and Inner.
TEST(StepFormulas, HaveTheirTeXWidthsAndTheHeightsOfTheDelimiterAndRootSizesTeXChooses) {
    struct Case {
        const char* latex;
        double width;
        double em = 0;  // 0: the height is not the point of the case
    };
    const Case cases[] = {
        {"0 = x^2 + p \\cdot x + q = x^2 + (-2) \\cdot x + (-3)", 354.236},
        // 1.8 em parentheses (rule 19 lets them fall short of the fraction), a 2.4 em root and
        // the room above its bar: 25 % lower than parentheses that cover the fraction made it.
        {"x_{1,2} = - \\frac{p}{2} \\pm \\sqrt{ \\left( \\frac{p}{2} \\right)^2 -q}", 213.501, 2.44},
        // The bracketed numerator reaches higher: 2.4 em parentheses and a 3.0 em root.
        {"x_{1,2} = - \\frac{(-2)}{2} \\pm \\sqrt{ \\left( \\frac{(-2)}{2} \\right)^2 -  (-3)}", 312.101, 3.04},
        {"x_{1,2} = - (-1) \\pm \\sqrt{  (-1) ^2  -  (-3)}", 273.061},
        {"p = (-2.4) \\quad q = \\frac{7}{3}", 165.042},
        {"p = \\frac{-2.4 \\cdot 10}{1 \\cdot 10} = \\frac{(-24)}{10} \\quad q = \\frac{7}{3}", 271.322},
        // A fraction in a numerator: 3.0 em parentheses and an assembled root.
        {"x_{1,2} = - \\frac{\\frac{(-24)}{10}}{2} \\pm \\sqrt{ \\left( \\frac{\\frac{(-24)}{10}}{2} \\right)^2 -  "
         "\\frac{7}{3}}", 291.649, 3.447},
        {"x_{1,2} = - \\frac{(-24)}{10}\\cdot \\frac{1}{2} \\pm \\sqrt{ \\left( \\frac{(-24)}{10}\\cdot \\frac{1}{2} "
         "\\right)^2 -  \\frac{7}{3}}", 364.539},
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{  \\left(\\frac{(-6)}{5}\\right) ^2  -  \\frac{7}{3}}", 286.041},
        // Fractions under the root without delimiters: the 2.4 em root.
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{ \\frac{36}{25} - \\frac{7}{3}}", 227.361, 2.44},
        {"x_{1,2} =  - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{\\left( 36 \\right) \\cdot 3}{25  \\cdot 3} - "
         "\\frac{7 \\cdot 25}{3  \\cdot 25}}", 301.819},
        {"x_{1,2} = - \\frac{(-6)}{5} \\pm \\sqrt{\\frac{(-67)}{75}} ", 219.232, 2.44},
        {"x_{1,2} = 1.2 \\pm \\sqrt{(-0.8933333333)}", 273.812},
        {"\\begin{eqalign} x_1 &=  1.2 + \\sqrt{(-0.8933333333)} \\\\ x_2 &=  1.2 - "
         "\\sqrt{(-0.8933333333)}\\end{eqalign} ", 262.920},
    };
    for (const Case& c : cases) {
        MTMathListDisplay display = layout(c.latex, 20);
        EXPECT_NEAR(display.width, c.width, 0.001) << c.latex;
        if (c.em > 0) {
            EXPECT_NEAR((display.ascent + display.descent) / 20, c.em, 0.001) << c.latex;
        }
    }
}
