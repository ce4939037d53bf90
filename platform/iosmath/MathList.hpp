#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace iosmath {

// TeX's atom classes; they decide the space between neighbouring atoms.
enum class MathAtomType : uint8_t { Ord, Op, Bin, Rel, Open, Close, Punct, Inner };

enum class MathAtomKind : uint8_t {
    Character,  // one symbol of the math font
    Group,      // a braced sub-formula
    Fraction,
    Radical,
    LeftRight,  // a sub-formula between delimiters that grow with it
    Space,      // explicit spacing, invisible to the atom spacing rules
    Text,       // upright text with its blanks kept
    Table,      // aligned rows and columns
};

// 0xAARRGGBB; kInheritColor means "whatever colour surrounds the atom".
using MathColor = uint32_t;
inline constexpr MathColor kInheritColor = 0;

struct MathList;
struct MathTable;

struct MathAtom {
    MathAtomKind kind = MathAtomKind::Character;
    MathAtomType type = MathAtomType::Ord;
    MathColor color = kInheritColor;
    char32_t codepoint = 0;        // Character
    char32_t leftDelimiter = 0;    // LeftRight; 0 draws nothing
    char32_t rightDelimiter = 0;   // LeftRight
    double spaceInMu = 0;          // Space; 18 mu make one em
    std::u32string text;           // Text
    std::unique_ptr<MathList> nucleus;      // Group, LeftRight inner, Radical radicand, numerator
    std::unique_ptr<MathList> denominator;  // Fraction
    std::unique_ptr<MathList> superscript;
    std::unique_ptr<MathList> subscript;
    std::unique_ptr<MathTable> table;
};

struct MathList {
    std::vector<MathAtom> atoms;
};

struct MathTable {
    std::vector<std::vector<MathList>> rows;  // each row's cells, left to right
};

}  // namespace iosmath
