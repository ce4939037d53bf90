#include "platform/iosmath/MathListParser.hpp"

#include <gtest/gtest.h>

#include <string>

using iosmath::MathAtomKind;
using iosmath::MathAtomType;
using iosmath::MathListParser;

namespace {

iosmath::MathList parsed(std::string_view latex) {
    auto result = MathListParser::parse(latex);
    EXPECT_TRUE(result.list) << latex << ": " << result.error;
    return result.list ? std::move(*result.list) : iosmath::MathList{};
}

std::string errorOf(std::string_view latex) {
    auto result = MathListParser::parse(latex);
    EXPECT_FALSE(result.list) << latex.substr(0, 40);
    EXPECT_FALSE(result.error.empty()) << latex.substr(0, 40);
    return result.error;
}

std::string repeated(std::string_view piece, size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

}  // namespace

// Letters' math italic, the real minus sign and the classes of the other characters show in how
// formulas are laid out and are tested there.
TEST(MathListParser, GreekOperatorsMathrmAndTextKeepTheirShapes) {
    auto list = parsed("\\mathrm{d\\pi}\\alpha\\Gamma\\cdot\\text{if x }");
    ASSERT_EQ(list.atoms.size(), 5u);
    ASSERT_EQ(list.atoms[0].kind, MathAtomKind::Group);
    EXPECT_EQ(list.atoms[0].nucleus->atoms[0].codepoint, U'd');
    EXPECT_EQ(list.atoms[0].nucleus->atoms[1].codepoint, U'\u03C0');
    EXPECT_EQ(list.atoms[1].codepoint, U'\U0001D6FC');  // italic alpha, after upright ones
    EXPECT_EQ(list.atoms[2].codepoint, U'\u0393');      // capital Greek stays upright
    EXPECT_EQ(list.atoms[3].codepoint, U'\u22C5');      // the dot operator, not a middle dot
    EXPECT_EQ(list.atoms[4].kind, MathAtomKind::Text);
    EXPECT_EQ(list.atoms[4].text, U"if x ");
}

TEST(MathListParser, ArgumentsNeedNoBracesAndDelimitersMayBeEmpty) {
    auto list = parsed("\\sqrt 4 \\left( y \\right.");
    ASSERT_EQ(list.atoms.size(), 2u);
    EXPECT_EQ(list.atoms[0].nucleus->atoms[0].codepoint, U'4');
    EXPECT_EQ(list.atoms[1].leftDelimiter, U'(');
    EXPECT_EQ(list.atoms[1].rightDelimiter, 0u);
    EXPECT_EQ(parsed("a\\quad^2").atoms.size(), 3u);  // a script after a space gets an empty base
}

TEST(MathListParser, ColourMarksTheAtomsInline) {
    auto list = parsed("= \\color{red}{-1} \\color{#0A0b0C}{x \\color{blue}{y}}");
    ASSERT_EQ(list.atoms.size(), 5u);
    EXPECT_EQ(list.atoms[1].color, 0xFFFF0000u);
    EXPECT_EQ(list.atoms[1].type, MathAtomType::Bin);  // still a minus the spacing rules can see
    EXPECT_EQ(list.atoms[3].color, 0xFF0A0B0Cu);
    EXPECT_EQ(list.atoms[4].color, 0xFF0000FFu);       // the inner colour wins
}

TEST(MathListParser, AlignmentsSplitRowsAndCells) {
    auto list = parsed("\\begin{eqalign} x_1 &= 1 \\\\ x_2 &= 2 & y \\end{eqalign}");
    ASSERT_EQ(list.atoms.size(), 1u);
    const auto& rows = list.atoms[0].table->rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].size(), 2u);
    EXPECT_EQ(rows[1].size(), 3u);
    EXPECT_EQ(parsed("\\begin{aligned} a \\\\ b \\end{aligned}").atoms[0].table->rows.size(), 2u);
    EXPECT_EQ(parsed("\\sqrt{\\begin{eqalign} a &= b \\\\ c &= d \\end{eqalign}}").atoms[0].nucleus->atoms[0]
                  .table->rows[1].size(), 2u);
    EXPECT_EQ(parsed("a \\\\ b").atoms[0].table->rows.size(), 2u);  // rows need no alignment
}

TEST(MathListParser, MistakesGiveMessagesThatNameThem) {
    const size_t deep = 10000;
    const char* misplaced = "Misplaced alignment tab character &";
    const std::pair<std::string, const char*> mistakes[] = {
        {"\\foo + 1", "\\foo"}, {"{x", "brace"}, {"x}", "}"}, {"x^", "^"}, {"x \\", "\\"}, {"a ~ b", "~"},
        {"\\left( x", "\\right"}, {"x \\right)", "\\left"}, {"\\left\\alpha x \\right)", "delimiter"},
        {"x^2^3", "superscript"}, {"\\frac{1}", "\\frac"}, {"\\text{\\frac}", "\\frac"},
        {"\\color{mauve}{x}", "mauve"}, {"\\begin{matrix} x \\end{matrix}", "matrix"},
        {"\\begin{aligned} x", "\\end{aligned}"}, {"\xC3(", "UTF-8"}, {"\xE2\x88", "UTF-8"},
        // As in TeX, & belongs to an alignment.
        {"a & b", misplaced}, {"x_1 = 1 & x_2 = 2 \\\\ y", misplaced}, {"{a & b}", misplaced},
        {"\\frac{1 & 2}{3}", misplaced}, {"\\begin{aligned} \\left( a & b \\right) \\end{aligned}", misplaced},
        {"\\begin{aligned} a \\end{aligned} & b", misplaced},
        // Hostile sizes end in an error, not a crash.
        {repeated("{", deep) + "x" + repeated("}", deep), "nested"}, {repeated("{", deep), "nested"},
        {repeated("x^{", deep) + "x", "nested"}, {repeated("\\sqrt", deep) + "x", "nested"},
        {repeated("\\left(", deep), "nested"}, {repeated("\\frac{", deep), "nested"},
        {std::string(1 << 20, 'x'), "too long"},
    };
    for (const auto& [latex, named] : mistakes) {
        EXPECT_NE(errorOf(latex).find(named), std::string::npos) << latex.substr(0, 40) << " should name " << named;
    }
}

TEST(MathListParser, LongFormulasWithinTheLimitStillParse) {
    auto list = parsed(repeated("x+", MathListParser::kMaxLength / 2 - 1) + "x");
    EXPECT_EQ(list.atoms.size(), MathListParser::kMaxLength - 1);
    const int depth = MathListParser::kMaxDepth - 1;
    parsed(repeated("{", depth) + "x" + repeated("}", depth));
}
